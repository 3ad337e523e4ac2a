#include "tests/decoder/synthetic_frames.h"

#include <random>

#include "decoder/vk6_internal.h"
#include "stream/stream_format.h"
#include "tests/decoder/frame_builder.h"

namespace decoder::test {

using enum format::CoefficientCode;

namespace {

constexpr int kBlocks = format::kPictureWidth / 8 * (kSyntheticHeight / 8);

// One component with `values` non-zero coefficients spread over the low
// frequencies, as a photographic block at quality 75 has them: mostly
// small levels with short zero runs.
void writeComponent(NibbleWriter& w, std::mt19937& random, int values) {
    w.byteValue(int(random() % 200) - 100);
    int position = 1;
    for (int i = 0; i < values && position < 40; ++i) {
        switch (random() % 5) {
            case 0: {
                const int code = Zero1Plus + int(random() % 6);
                w.put(code);
                position += (code - Zero1Plus) / 2 + 2;
                break;
            }
            case 1:
                w.put({Nibble2, int(random() % 16), int(random() % 16)});
                position += 2;
                break;
            case 2:
                w.put({SmallPair, int(random() % 16)});
                position += 2;
                break;
            case 3: {
                const int run = int(random() % 4);
                w.put({RunNibble, run << 2 | 1, int(random() % 16), int(random() % 16)});
                position += run + 3;
                break;
            }
            default:
                w.put(Literal);
                w.byteValue(int(random() % 64) - 32);
                position += 1;
                break;
        }
    }
    w.put(EndOfBlock);
}

void writeDctBlock(FrameBuilder& frame, std::mt19937& random) {
    writeComponent(frame.nibbles, random, 6 + int(random() % 8));
    writeComponent(frame.nibbles, random, int(random() % 3));
    writeComponent(frame.nibbles, random, int(random() % 3));
}

}  // namespace

std::vector<uint8_t> intraDctFrame(unsigned seed, int quality) {
    std::mt19937 random(seed);
    FrameBuilder frame;
    for (int i = 0; i < kBlocks; ++i) {
        frame.control.code("110");
        writeDctBlock(frame, random);
    }
    return frame.build(-quality);
}

std::vector<uint8_t> stillFrame(int quality) {
    FrameBuilder frame;
    for (int i = 0; i < kBlocks; ++i) frame.control.code("110");
    return frame.build(quality);
}

std::vector<uint8_t> mixedFrame(unsigned seed, int quality) {
    std::mt19937 random(seed);
    FrameBuilder frame;
    for (int i = 0; i < kBlocks; ++i) {
        const int x = i % 80 * 8, y = i / 80 * 8;
        const bool interior = x >= 64 && x < format::kPictureWidth - 64 && y >= 64 && y < kSyntheticHeight - 64;
        const int choice = interior ? int(random() % 10) : 0;
        switch (choice) {
            case 0:
            case 1:
            case 2:
            case 3: frame.control.code("110"); break;
            case 4:
            case 5:
                frame.control.code("00");
                frame.spiral(uint16_t(random() % 400));
                break;
            case 6:
            case 7:
                frame.control.code("010");
                frame.control.put(random() % 8, 3);
                frame.vector(farWord(128 + int(random() % 16) - 8, 64 + int(random() % 16) - 8));
                break;
            case 8:
                frame.control.code("011");
                writeDctBlock(frame, random);
                break;
            default:
                // Quarters: still, spiral, near-vector cells, vector copy.
                frame.control.code("1110 100 00 111 0 10 11 0 01");
                frame.spiral(uint16_t(random() % 100));
                frame.spiral(uint16_t(random() % 100));
                frame.vector(nearWord(int(random() % 4096), int(random() % 8)));
                frame.spiral(uint16_t(random() % 100));
                frame.control.put(random() % 8, 3);
                frame.vector(farWord(128 + int(random() % 16) - 8, 64 + int(random() % 16) - 8));
                break;
        }
    }
    return frame.build(quality);
}

}  // namespace decoder::test

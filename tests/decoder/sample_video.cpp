#include "tests/decoder/sample_video.h"

#include <random>

#include "format/picture.h"
#include "tests/decoder/frame_builder.h"

namespace decoder::test {

std::vector<std::vector<uint8_t>> sampleVideo(int height, int frameCount, unsigned seed) {
    std::mt19937 random(seed);
    auto between = [&](int low, int high) { return low + int(random() % uint32_t(high - low + 1)); };
    const int blocks = format::kBlocksPerRow * int(format::blockRows(height));
    std::vector<std::vector<uint8_t>> frames;
    FrameBuilder intra;
    for (int block = 0; block < blocks; ++block) {
        intra.control.code("110");
        intra.dcBlock(between(-100, 100), between(-30, 30), between(-30, 30));
    }
    frames.push_back(intra.build(-between(1, 100)));
    while (int(frames.size()) < frameCount) {
        FrameBuilder predicted;
        for (int block = 0; block < blocks; ++block) {
            switch (between(0, 3)) {
                case 0:
                    predicted.control.code("011");
                    predicted.dcBlock(between(-100, 100));
                    break;
                case 1: predicted.control.code("110"); break;
                case 2:
                    predicted.control.code("010");
                    predicted.control.put(uint32_t(between(0, 7)), 3);
                    predicted.vector(farWord(128, 64));  // the block's own place in the reference
                    break;
                default: predicted.control.code("1110 100 100 100 100");
            }
        }
        frames.push_back(predicted.build(between(0, 100)));
    }
    return frames;
}

}  // namespace decoder::test

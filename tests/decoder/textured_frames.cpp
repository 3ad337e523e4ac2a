#include "tests/decoder/textured_frames.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "encoder/dct_coder.h"
#include "encoder/encoder.h"
#include "format/code_tree.h"
#include "tests/decoder/frame_builder.h"
#include "tests/decoder/synthetic_frames.h"

namespace decoder::test {

namespace {

constexpr int kTextureWidth = format::kPictureWidth, kTextureHeight = kSyntheticHeight, kTextureQuality = 75;
constexpr int kTextureColumns = kTextureWidth / 8, kTextureRows = kTextureHeight / 8;

using Random = std::mt19937;

int below(Random& random, int n) { return int(random() % uint32_t(n)); }

}  // namespace

// Fractal plasma: octaves of smoothly interpolated lattice noise, each half
// the size and 0.6 times the strength of the one before, down to the pixel.
std::vector<uint8_t> plasmaTexture(unsigned seed) {
    std::vector<double> sum(size_t(kTextureWidth) * kTextureHeight * 3, 0.0);
    Random random(seed);
    double strength = 1.0, total = 0.0;
    for (int cell = 128; cell >= 1; cell /= 2, strength *= 0.6) {
        const int columns = kTextureWidth / cell + 2, rows = kTextureHeight / cell + 2;
        std::vector<double> lattice(size_t(columns) * rows * 3);
        for (double& value : lattice) value = double(random() % 1024) / 1023.0;
        for (int y = 0; y < kTextureHeight; ++y)
            for (int x = 0; x < kTextureWidth; ++x) {
                const int cx = x / cell, cy = y / cell;
                const double fx = double(x % cell) / cell, fy = double(y % cell) / cell;
                const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
                for (int c = 0; c < 3; ++c) {
                    auto at = [&](int i, int j) { return lattice[(size_t(j) * columns + size_t(i)) * 3 + size_t(c)]; };
                    const double top = at(cx, cy) + (at(cx + 1, cy) - at(cx, cy)) * sx;
                    const double bottom = at(cx, cy + 1) + (at(cx + 1, cy + 1) - at(cx, cy + 1)) * sx;
                    sum[(size_t(y) * kTextureWidth + size_t(x)) * 3 + size_t(c)] +=
                        strength * (top + (bottom - top) * sy);
                }
            }
        total += strength;
    }
    std::vector<uint8_t> rgb(sum.size());
    for (size_t i = 0; i < sum.size(); ++i) {
        // Stretched around the middle grey so that the whole range is used.
        const double value = 128.0 + (sum[i] / total - 0.5) * 640.0;
        rgb[i] = uint8_t(std::lround(std::fmin(255.0, std::fmax(0.0, value))));
    }
    return rgb;
}

std::vector<uint8_t> denseIntraFrame(const std::vector<uint8_t>& texture) {
    encoder::EncoderSettings settings;
    settings.quality = kTextureQuality;
    encoder::Encoder encoder(settings);
    return encoder.encode(texture.data()).bytes;
}

namespace {

// A DCT block of the mix: the texture's block at its place, coded as the
// encoder codes it at quality 75 (most coefficients, long codes, literals).
class DenseBlocks {
public:
    explicit DenseBlocks(const std::vector<uint8_t>& texture)
        : mapping_(16), coder_(mapping_, kTextureQuality, encoder::EncoderSettings{}.acRounding) {
        planes_.resize(kTextureHeight);
        encoder::loadSource(texture.data(), kTextureHeight, planes_);
    }

    void write(FrameBuilder& frame, int x, int y) const {
        encoder::DctBlock block;
        coder_.quantise(planes_, x, y, block);
        encoder::fitWindowHeadroom(block);
        coder_.write(block, frame.nibbles);
    }

private:
    encoder::ColourMapping mapping_;
    encoder::DctCoder coder_;
    encoder::RgbPlanes planes_;
};

void putChoice(FrameBuilder& frame, format::Level level, format::Choice choice) {
    const format::Code code = format::choiceCode(false, level, choice);
    frame.control.put(code.bits, code.length);
}

// Where a block lies: copies keep their sources inside the picture. Far
// vectors wrap around in columns and reach 64 rows from the block; spiral and
// near displacements 32 pixels either way, so only blocks that far inside
// take them.
struct Place {
    int y;
    bool interior;
};

// A copy's vector: the mode (one of the 8 symmetries) and the source, in the
// new picture for a fifth of them, above the piece (decoded already).
void writeVector(FrameBuilder& frame, Random& random, format::Level level, Place place) {
    const int mode = below(random, 8);
    const int ahead = level == format::Level::Block8x8 ? 0 : 4;  // how far below the corner a part's rows start
    const bool fromNew = below(random, 5) == 0 && place.y + ahead >= 8;
    if (format::usesFarVector(level)) {
        frame.control.put(uint32_t(mode), format::farModeBits(false));
        if (fromNew) {
            const int vy = 8 + below(random, std::min(127, place.y + ahead) - 7);
            frame.vector(farWord(below(random, 256), vy, 1));
        } else {
            // Rows y + 64 - vy to y + 71 - vy stay inside the picture.
            const int low = std::max(0, place.y + 72 - kTextureHeight), high = std::min(127, place.y + 64);
            frame.vector(farWord(below(random, 256), low + below(random, high - low + 1)));
        }
    } else {
        frame.vector(nearWord(below(random, format::kDisplacements), mode, fromNew ? 1 : 0));
    }
}

// A whole-block or part copy: by spiral or vector, spirals only inside.
void writeCopy(FrameBuilder& frame, Random& random, format::Level level, Place place) {
    if (place.interior && below(random, 3) == 0) {
        putChoice(frame, level, format::Choice::Spiral);
        frame.spiral(uint16_t(below(random, 400)));
    } else {
        putChoice(frame, level, format::Choice::Vector);
        writeVector(frame, random, level, place);
    }
}

// A piece below the block: still, a copy, or split further where its level
// can be (strips and cells, whose vectors are near ones, only inside).
void writePart(FrameBuilder& frame, Random& random, int piece, Place place) {
    const format::Level level = format::kBlockPieces[size_t(piece)].level;
    std::vector<format::Choice> splits;
    for (format::Choice split : {format::Choice::SplitQuarters, format::Choice::SplitStrips4x2,
                                 format::Choice::SplitStrips2x4, format::Choice::SplitCells})
        if (format::choiceCode(false, level, split).length > 0 &&
            (place.interior || format::usesFarVector(format::splitLevel(split))))
            splits.push_back(split);
    const int pick = below(random, 100);
    if (pick < 25) {
        putChoice(frame, level, format::Choice::Still);
    } else if (pick < 80 || splits.empty()) {
        writeCopy(frame, random, level, place);
    } else {
        const format::Choice split = splits[size_t(below(random, int(splits.size())))];
        putChoice(frame, level, split);
        const format::SplitParts parts = format::splitParts(piece, split);
        for (int i = 0; i < parts.count; ++i) writePart(frame, random, parts.pieces[size_t(i)], place);
    }
}

}  // namespace

std::vector<uint8_t> everyKindFrame(unsigned seed, const std::vector<uint8_t>& texture) {
    const DenseBlocks dense(texture);
    Random random(seed);
    FrameBuilder frame;
    constexpr format::Level kBlock = format::Level::Block8x8;
    constexpr int kInside = 32;
    for (int by = 0; by < kTextureRows; ++by)
        for (int bx = 0; bx < kTextureColumns; ++bx) {
            const int x = bx * 8, y = by * 8;
            const Place place{
                y, x >= kInside && x < kTextureWidth - kInside && y >= kInside && y < kTextureHeight - kInside};
            const int pick = below(random, 100);
            if (pick < 61) {
                putChoice(frame, kBlock, format::Choice::Still);
            } else if (pick < 80) {
                putChoice(frame, kBlock, format::Choice::Dct);
                dense.write(frame, x, y);
            } else if (pick < 90) {
                writeCopy(frame, random, kBlock, place);
            } else {
                static constexpr format::Choice kSplits[] = {
                    format::Choice::SplitHalves8x4, format::Choice::SplitHalves4x8, format::Choice::SplitQuarters};
                const format::Choice split = kSplits[below(random, 3)];
                putChoice(frame, kBlock, split);
                const format::SplitParts parts = format::splitParts(0, split);
                for (int i = 0; i < parts.count; ++i) writePart(frame, random, parts.pieces[size_t(i)], place);
            }
        }
    return frame.build(kTextureQuality);
}

}  // namespace decoder::test

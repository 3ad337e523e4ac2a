// The cheapest nibble coding of a component decodes to its levels, through the
// decoder's own coefficient decoder.

#include "encoder/coefficient_coder.h"

#include <gtest/gtest.h>

#include <random>

#include "decoder/vk6_internal.h"

namespace encoder {
namespace {

// Decodes Y, Cb, Cr from nibbles at quality 100 and returns the levels of
// each component (the value divided by its dequantisation factor).
std::array<ComponentLevels, 3> decode(const std::vector<uint8_t>& bytes, int& consumed) {
    auto geometry = std::make_unique<decoder::GeometryTables>();
    decoder::buildPositionTables(*geometry);
    decoder::DequantTables dequant;
    decoder::buildDequantTables(100, dequant);
    auto window = std::make_unique<decoder::NibbleWindow>();
    const decoder::FrameBytes frame(bytes.data(), int64_t(bytes.size()));
    window->prime(frame, 0, int64_t(bytes.size()));
    decoder::CoefficientBlocks blocks{};
    EXPECT_EQ(decoder::decodeCoefficientBlocks(*window, *geometry, dequant, blocks), format::DecodeError::None);
    consumed = window->readIndex();
    std::array<ComponentLevels, 3> levels{};
    for (int c = 0; c < 3; ++c)
        for (int p = 0; p < 64; ++p)
            levels[c][p] = int16_t(blocks.block(c)[decoder::kZigzagToNatural[p]] / dequant[c][p]);
    return levels;
}

ComponentLevels randomLevels(std::mt19937& random, int density) {
    ComponentLevels levels{};
    levels[0] = int16_t(int(random() % 256) - 128);
    for (int p = 1; p < 64; ++p) {
        if (int(random() % 100) >= density) continue;
        const int kind = int(random() % 4);
        const int magnitude = kind == 0   ? 1
                              : kind == 1 ? 2
                              : kind == 2 ? 1 + int(random() % 8)
                                          : 1 + int(random() % 127);
        levels[p] = int16_t(random() % 2 ? magnitude : -magnitude);
    }
    return levels;
}

TEST(CoefficientCoderTest, CodingsDecodeToTheirLevelsAndTakeTheCountedNibbles) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 3000; ++trial) {
        const int density = int(trial % 10) * 11;
        std::array<ComponentLevels, 3> levels;
        NibbleWriter writer;
        int nibbles = 0;
        for (ComponentLevels& component : levels) {
            component = randomLevels(random, density);
            const int written = writeComponent(component, writer);
            EXPECT_EQ(written, codedNibbles(component));
            nibbles += written;
        }
        int consumed = 0;
        ASSERT_EQ(decode(writer.bytes(), consumed), levels) << "trial " << trial;
        EXPECT_EQ(consumed, nibbles);
    }
}

TEST(CoefficientCoderTest, ShortCodesAreChosen) {
    ComponentLevels dcOnly{};
    dcOnly[0] = 5;
    EXPECT_EQ(codedNibbles(dcOnly), 3);  // DC, end
    ComponentLevels lastPosition{};
    lastPosition[63] = -1;
    // DC, twelve Skip5, Zero2Minus at 62..63 and no end code.
    EXPECT_EQ(codedNibbles(lastPosition), 2 + 12 + 1);
    ComponentLevels smallRun{};
    smallRun[2] = 1;
    smallRun[3] = -2;
    smallRun[4] = 2;
    // DC, Zero1Plus, SmallPair, end: cheaper than one RunSmall of three values.
    EXPECT_EQ(codedNibbles(smallRun), 2 + 1 + 2 + 1);
}

}  // namespace
}  // namespace encoder

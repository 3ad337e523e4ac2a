#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "decoder/vk6_internal.h"

namespace decoder {
namespace {

ColourTables tablesFor(PixelFormat format) {
    ColourTables tables{};
    buildChromaTables(tables);
    buildColourTables(format, tables);
    return tables;
}

// Converts one sample triple (times 16, as the inverse DCT leaves them).
uint16_t pixel(PixelFormat format, int32_t y, int32_t cb, int32_t cr) {
    CoefficientBlocks blocks{};
    for (int i = 0; i < 64; ++i) {
        blocks.block(0)[i] = y;
        blocks.block(1)[i] = cb;
        blocks.block(2)[i] = cr;
    }
    std::vector<uint16_t> picture(640 * 8, 0xABCD);
    convertToPixelsReference(tablesFor(format), blocks, picture.data());
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 640; ++c) EXPECT_EQ(picture[640 * r + c] == picture[0], c < 8) << r << "," << c;
    return picture[0];
}

TEST(ChromaTables, TruncateTowardZero) {
    const ColourTables t = tablesFor(PixelFormat::Rgb565);
    auto crToRed = [&](int v) { return t.crToRed[v + 256]; };
    auto cbToGreen = [&](int v) { return t.cbToGreen[v + 256]; };
    EXPECT_EQ(crToRed(-1), 0);
    EXPECT_EQ(crToRed(-2), -2);
    EXPECT_EQ(crToRed(100), 160);
    EXPECT_EQ(crToRed(-100), -159);
    EXPECT_EQ(crToRed(-256), -408);
    EXPECT_EQ(crToRed(511), 818);
    EXPECT_EQ(cbToGreen(100), 33);
    EXPECT_EQ(cbToGreen(-100), -33);
}

TEST(ColourTables, SaturateGreenOneStepBelowTheTop) {
    for (PixelFormat format : {PixelFormat::Rgb565, PixelFormat::Rgb555}) {
        const ColourTables t = tablesFor(format);
        const bool wide = format == PixelFormat::Rgb565;
        EXPECT_EQ(t.redBits[0], 0);     // index -64
        EXPECT_EQ(t.greenBits[63], 0);  // index -1
        EXPECT_EQ(t.redBits[64 + 127], wide ? 31 << 11 : 31 << 10);
        EXPECT_EQ(t.greenBits[64 + 127], wide ? 62 << 5 : 30 << 5);
        EXPECT_EQ(t.blueBits[64 + 63], 31);
        EXPECT_EQ(t.greenBits[64 + 61], wide ? 61 << 5 : 30 << 5);
        EXPECT_EQ(t.redBits[64 + 3], wide ? 1 << 11 : 1 << 10);
    }
}

TEST(ConvertToPixels, MidGreyAndWhiteInBothFormats) {
    EXPECT_EQ(pixel(PixelFormat::Rgb565, 0, 0, 0), 0x8410);
    EXPECT_EQ(pixel(PixelFormat::Rgb555, 0, 0, 0), 0x4210);
    EXPECT_EQ(pixel(PixelFormat::Rgb565, 16 * 127, 0, 0), 0xFFDF);
    EXPECT_EQ(pixel(PixelFormat::Rgb555, 16 * 127, 0, 0), 0x7FDF);
}

TEST(ConvertToPixels, ChromaMovesTheChannels) {
    // Cr = 100: red index (128 + 160) >> 2 = 72 -> 31; green (128 - 80) >> 2 = 12; blue 32 -> 16.
    EXPECT_EQ(pixel(PixelFormat::Rgb565, 0, 0, 16 * 100), (31 << 11) | (12 << 5) | 16);
    // Cb = -64: blue index (128 - 128) >> 2 = 0; green (128 + 21) >> 2 = 37; red 32 -> 16.
    EXPECT_EQ(pixel(PixelFormat::Rgb565, 0, -16 * 64, 0), (16 << 11) | (37 << 5) | 0);
}

TEST(ConvertToPixels, OutOfRangeSamplesSaturate) {
    // Very dark: every index below zero gives black, not a wrap.
    EXPECT_EQ(pixel(PixelFormat::Rgb565, -16 * 128 - 16 * 200, 0, 0), 0);
    // Far beyond every table: the nearest table ends.
    EXPECT_EQ(pixel(PixelFormat::Rgb565, 1 << 26, 0, 0), 0xFFDF);
    EXPECT_EQ(pixel(PixelFormat::Rgb565, 0, 0, 1 << 26), (31 << 11) | 0 | 16);
    EXPECT_EQ(pixel(PixelFormat::Rgb565, 0, -(1 << 26), -(1 << 26)), (0 << 11) | (62 << 5) | 0);
}

// A block with one sample out of range takes the saturating conversion; its
// other pixels come out as from the plain one.
TEST(ConvertToPixels, BothConversionsAgreeInsideTheTables) {
    const ColourTables tables = tablesFor(PixelFormat::Rgb565);
    std::mt19937 random(9);
    std::uniform_int_distribution<int32_t> sample(-2048, 2047);
    CoefficientBlocks blocks{};
    for (int32_t& value : blocks.values) value = sample(random);
    std::vector<uint16_t> plain(640 * 8), saturated(640 * 8);
    convertToPixelsReference(tables, blocks, plain.data());
    blocks.block(2)[63] = 1 << 20;
    convertToPixelsReference(tables, blocks, saturated.data());
    for (int i = 0; i < 63; ++i) EXPECT_EQ(saturated[640 * (i >> 3) + (i & 7)], plain[640 * (i >> 3) + (i & 7)]) << i;
    EXPECT_NE(saturated[640 * 7 + 7], plain[640 * 7 + 7]);
}

}  // namespace
}  // namespace decoder

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <numbers>

#include "decoder/vk6_internal.h"
#include "format/frame_header.h"

namespace decoder {
namespace {

DequantTables tablesFor(int quality) {
    DequantTables tables{};
    buildDequantTables(quality, tables);
    return tables;
}

TEST(AanScale, IsTheRoundedProductOfTheScaleFactors) {
    auto s = [](int k) { return k == 0 ? 1.0 : std::sqrt(2.0) * std::cos(k * std::numbers::pi / 16); };
    for (int n = 0; n < 64; ++n) EXPECT_EQ(AanScale[n], std::lround(16384 * s(n / 8) * s(n % 8))) << "entry " << n;
}

TEST(DequantTables, FollowTheQualityScale) {
    struct Case {
        int quality, luma0, luma1, chroma0;
    };
    const Case cases[] = {
        {1, 510, 707, 510}, {10, 160, 152, 170}, {50, 32, 30, 34}, {75, 16, 22, 18}, {100, 16, 22, 16}};
    for (const Case& c : cases) {
        const DequantTables t = tablesFor(c.quality);
        EXPECT_EQ(t[0][0], c.luma0) << "quality " << c.quality;
        EXPECT_EQ(t[0][1], c.luma1) << "quality " << c.quality;
        EXPECT_EQ(t[1][0], c.chroma0) << "quality " << c.quality;
    }
}

TEST(DequantTables, ChromaTablesAgreeAndNegatedTablesMirror) {
    const DequantTables t = tablesFor(37);
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(t[1][i], t[2][i]);
        for (int k = 0; k < 3; ++k) EXPECT_EQ(t[k + 3][i], -t[k][i]);
    }
    // Zigzag position 2 is natural index 8 (K1 value 12, scale 22725 at quality 50).
    EXPECT_EQ(tablesFor(50)[0][2], (12 * 22725) >> 13);
}

format::FrameHeader headerWithQuality(int32_t word) { return format::FrameHeader{word, 0, 0, 0, 0, 0}; }

TEST(FrameQuality, MagnitudeIsClampedAndZeroCountsAsOne) {
    EXPECT_EQ(headerWithQuality(50).quality(), 50);
    EXPECT_EQ(headerWithQuality(-50).quality(), 50);
    EXPECT_TRUE(headerWithQuality(-50).isIntra());
    EXPECT_FALSE(headerWithQuality(0).isIntra());
    EXPECT_EQ(headerWithQuality(250).quality(), 100);
    EXPECT_EQ(headerWithQuality(0).quality(), 1);
    EXPECT_EQ(headerWithQuality(INT32_MIN + 1).quality(), 100);
    EXPECT_EQ(headerWithQuality(INT32_MIN).quality(), 1);  // its negation is not positive
    EXPECT_EQ(tablesFor(headerWithQuality(0).quality()), tablesFor(1));
}

}  // namespace
}  // namespace decoder

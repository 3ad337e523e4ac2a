// BT.601 limited range and the chroma interpolation.

#include <gtest/gtest.h>

#include "media/bt601.h"
#include "media/chroma_upsampling.h"

namespace media {
namespace {

TEST(Bt601, PrimariesAndGreysLandOnTheStandardCodes) {
    auto expect = [](Rgb rgb, int y, int cb, int cr) {
        const YCbCr ycc = rgbToYCbCr(rgb);
        EXPECT_EQ(ycc.y, y) << int(rgb.r) << "," << int(rgb.g) << "," << int(rgb.b);
        EXPECT_EQ(ycc.cb, cb) << int(rgb.r) << "," << int(rgb.g) << "," << int(rgb.b);
        EXPECT_EQ(ycc.cr, cr) << int(rgb.r) << "," << int(rgb.g) << "," << int(rgb.b);
    };
    expect({0, 0, 0}, 16, 128, 128);
    expect({255, 255, 255}, 235, 128, 128);
    expect({128, 128, 128}, 126, 128, 128);
    expect({255, 0, 0}, 81, 90, 240);
    expect({0, 255, 0}, 145, 54, 34);
    expect({0, 0, 255}, 41, 240, 110);
}

TEST(Bt601, RgbComesBackWithinTwoSteps) {
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 15)
            for (int b = 0; b < 256; b += 15) {
                const Rgb back = yCbCrToRgb(rgbToYCbCr({uint8_t(r), uint8_t(g), uint8_t(b)}));
                EXPECT_NEAR(back.r, r, 2);
                EXPECT_NEAR(back.g, g, 2);
                EXPECT_NEAR(back.b, b, 2);
            }
    // Out of range: clamped, not wrapped.
    EXPECT_EQ(yCbCrToRgb({235, 128, 240}).r, 255);
    EXPECT_EQ(yCbCrToRgb({16, 16, 128}).b, 0);
}

TEST(ChromaUpsampling, TakesThreeQuartersOfTheNearestSampleInEachDirection) {
    // 2x2 chroma samples for a 4x4 picture.
    const uint8_t plane[] = {0, 160, 80, 240};
    const auto full = upsampleChroma(plane, 4, 4, 2, 2);
    // Corners repeat the edge: only the sample itself.
    EXPECT_EQ(full[0], 0);
    EXPECT_EQ(full[3], 160);
    EXPECT_EQ(full[15], 240);
    // (1, 1): 9/16 of 0, 3/16 of 160, 3/16 of 80, 1/16 of 240 = 60.
    EXPECT_EQ(full[4 + 1], 60);
    // (2, 0): 3/4 of 160 + 1/4 of 0, rows at the edge = 120.
    EXPECT_EQ(full[2], 120);

    const auto rows = upsampleChroma(plane, 4, 2, 2, 1);  // 4:2:2
    EXPECT_EQ(rows[1], 40);
    EXPECT_EQ(rows[4 + 2], 200);
    const auto same = upsampleChroma(plane, 2, 2, 1, 1);
    EXPECT_EQ(same, std::vector<uint8_t>(plane, plane + 4));
    const uint8_t odd[] = {10, 20, 30, 40};  // 3x3 picture: 2x2 samples
    EXPECT_EQ(upsampleChroma(odd, 3, 3, 2, 2).size(), 9u);
}

}  // namespace
}  // namespace media

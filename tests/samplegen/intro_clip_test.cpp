// The sample video's pictures: the sky moves by whole pixels, so the encoder's
// copies can follow it exactly, and the title comes in as the clip goes on.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tools/samplegen/intro_clip.h"

namespace {

using samplegen::IntroClip;
using samplegen::kClipHeight;
using samplegen::kClipWidth;

const uint8_t* pixel(const std::vector<uint8_t>& frame, int x, int y) {
    return &frame[(static_cast<size_t>(y) * kClipWidth + x) * 3];
}

TEST(IntroClip, TheSkyPansThreePixelsAFrame) {
    const IntroClip clip(10);
    const std::vector<uint8_t> first = clip.frame(4), next = clip.frame(5);
    ASSERT_EQ(first.size(), static_cast<size_t>(kClipWidth) * kClipHeight * 3);
    // The top rows hold only sky: no title, no planet.
    int differing = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x + 3 < kClipWidth; ++x)
            for (int c = 0; c < 3; ++c) differing += pixel(next, x, y)[c] != pixel(first, x + 3, y)[c];
    EXPECT_EQ(differing, 0);
    EXPECT_NE(first, next);
}

// Brightness of the title's middle row, summed.
long titleLight(const std::vector<uint8_t>& frame) {
    long sum = 0;
    for (int x = 0; x < kClipWidth; ++x) sum += pixel(frame, x, 186)[1];
    return sum;
}

TEST(IntroClip, TheTitleFadesInOverTheSecondQuarter) {
    const IntroClip clip(60);
    const long before = titleLight(clip.frame(10)), during = titleLight(clip.frame(22)),
               after = titleLight(clip.frame(40));
    EXPECT_LT(before + 5000, during);
    EXPECT_LT(during + 5000, after);
}

}  // namespace

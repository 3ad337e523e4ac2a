#include "media/frame_pattern.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace media {
namespace {

TEST(FramePattern, FormatsTheNumberAsPrintfDoes) {
    EXPECT_EQ(FramePattern("out/f%04d.png").path(7), "out/f0007.png");
    EXPECT_EQ(FramePattern("%d.png").path(12345), "12345.png");
    EXPECT_EQ(FramePattern("%3d").path(5), "  5");
    EXPECT_EQ(FramePattern("100%%-%02d%%.png").path(123), "100%-123%.png");
}

TEST(FramePattern, RefusesAnythingButOneNumber) {
    for (const char* bad : {"f.png", "%s.png", "%d-%d.png", "%x.png", "50%.png", "%-4d", "%100d"})
        EXPECT_THROW(FramePattern{bad}, std::invalid_argument) << bad;
}

}  // namespace
}  // namespace media

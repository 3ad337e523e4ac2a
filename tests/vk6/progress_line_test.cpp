// The progress line of vk6 encode: speed, and the time left only where the
// end is known.

#include <gtest/gtest.h>

#include "tools/cli/progress.h"

namespace cli {
namespace {

TEST(ProgressLineTest, SaysTheSpeedAndTheTimeLeftWhereTheEndIsKnown) {
    EXPECT_EQ(progressLine("reading", 7, 0, "", 1.0, ""), "reading 7");
    EXPECT_EQ(progressLine("reading", 15, 45, "", 1.0, ""), "reading [##########....................] 15/45");
    EXPECT_EQ(progressLine("encoding", 15, 45, "fps", 3.0, "812 kbit/s"),
              "encoding [##########....................] 15/45  5.0 fps  0:06 left  812 kbit/s");
    EXPECT_EQ(progressLine("encoding", 12, 0, "fps", 3.0, "812 kbit/s"), "encoding 12  4.0 fps  812 kbit/s");
    EXPECT_EQ(progressLine("encoding", 1, 400, "fps", 10.0, ""),
              "encoding [..............................] 1/400  0.1 fps  1:06:30 left");
    // A count past a total that was wrong: a full bar, no time left.
    EXPECT_EQ(progressLine("encoding", 50, 45, "fps", 10.0, ""),
              "encoding [##############################] 50/45  5.0 fps");
    EXPECT_EQ(progressLine("encoding", 0, 45, "fps", 0.0, ""), "encoding [..............................] 0/45");
}

}  // namespace
}  // namespace cli

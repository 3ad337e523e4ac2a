// Sessions over the shipped skin and help texts, as the program carries them.
#include <gtest/gtest.h>

#include "tests/shell/session_fixture.h"

namespace setup::test {
namespace {

using ShippedSkinSession = SessionFixture<HeadlessPlatform>;

std::optional<std::pair<int, int>> pixelOf(const Surface& map, Pixel colour) {
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x)
            if (map.at(x, y) == colour) return std::pair{x, y};
    return std::nullopt;
}

TEST_F(ShippedSkinSession, TheGeneralKnobAtColour0x00FF32GivesFortyNine) {
    start();
    const auto point = pixelOf(dialog.scene().hitMap, 0x00FF32);
    ASSERT_TRUE(point.has_value());
    press(point->first, point->second);
    EXPECT_EQ(dialog.settings().generalVolume, 49);
    EXPECT_EQ(line(4).text, "General Volume=");
    EXPECT_EQ(line(5).text, "      49 ");
    EXPECT_TRUE(line(5).fadingIn);
    dialog.onEraseBackground();
    EXPECT_NE(dialog.scene().buffer.pixels, dialog.scene().background.pixels);
}

}  // namespace
}  // namespace setup::test

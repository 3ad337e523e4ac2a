#include <gtest/gtest.h>

#include "setup/skin/skin_bitmap.h"
#include "tests/skin/synthetic_skin.h"

namespace setup {
namespace {

TEST(SaturatingAdd, CarriesStayInTheLowestBitOfTheNextChannel) {
    EXPECT_EQ(saturatingAdd(0x00FF00, 0x00FF00), 0x01FF00u);
    EXPECT_EQ(saturatingAdd(0x0000FF, 0x0000FF), 0x0001FFu);
    EXPECT_EQ(saturatingAdd(0xFF0000, 0xFF0000), 0xFF0000u);
    EXPECT_EQ(saturatingAdd(0xFFFFFF, 0xFFFFFF), 0xFFFFFFu);
    EXPECT_EQ(saturatingAdd(0x808080, 0x808080), 0xFFFFFFu);
    EXPECT_EQ(saturatingAdd(0x102030, 0x010101), 0x102031u);  // odd green/red bits dropped
}

TEST(SaturatingAdd, BlackClearsOnlyTheLowestGreenAndRedBits) {
    EXPECT_EQ(saturatingAdd(0x010101, 0), 0x000001u);
    EXPECT_EQ(saturatingAdd(0xFFFFFF, 0), 0xFEFEFFu);
}

TEST(Blit, CopiesWholeBitmapsAndSingleFramesOpaquely) {
    Surface scene(8, 6);
    Surface strip(6, 2);
    for (int i = 0; i < 12; ++i) strip.pixels[i] = 0x100 + i;
    blitFrame(scene, strip, 2, 2, 5, 3);
    EXPECT_EQ(scene.at(5, 3), 0x102u);
    EXPECT_EQ(scene.at(6, 3), 0x103u);
    EXPECT_EQ(scene.at(5, 4), 0x108u);
    EXPECT_EQ(scene.at(7, 3), 0u);
    blitBitmap(scene, strip, 0, 0);
    EXPECT_EQ(scene.at(5, 1), 0x10Bu);
    EXPECT_EQ(scene.at(6, 1), 0u);
}

TEST(LoadPixels, TurnsBlueGreenRedTriplesIntoWords) {
    test::SyntheticSkinPlatform platform;
    platform.bitmaps = {{7, Surface(2, 2)}};
    platform.bitmaps[7].pixels = {0x123456, 0xABCDEF, 0x000001, 0xFF0000};
    const Surface s = loadPixels(platform, 7);
    EXPECT_EQ(s.width, 2);
    EXPECT_EQ(s.pixels, (std::vector<Pixel>{0x123456, 0xABCDEF, 0x000001, 0xFF0000}));
}

TEST(BitmapCache, LoadsEachIdOnceAndPutsNewRecordsAtTheHead) {
    test::SyntheticSkinPlatform platform;
    BitmapCache cache;
    const SkinBitmap& first = loadSkinBitmap(cache, platform, 138);
    loadSkinBitmap(cache, platform, 145);
    EXPECT_EQ(&loadSkinBitmap(cache, platform, 138), &first);
    EXPECT_EQ(platform.bitmapLoads, 2);
    EXPECT_EQ(cache.front().id, 145);
    EXPECT_EQ(first.image.width, 48);
}

TEST(BitmapCache, AMissingOrShortResourceIsFatal) {
    test::SyntheticSkinPlatform platform;
    BitmapCache cache;
    EXPECT_THROW(loadSkinBitmap(cache, platform, 999), FatalStop);
    ASSERT_EQ(platform.fatalBoxes.size(), 1u);
    EXPECT_STREQ(platform.fatalBoxes[0].text, "Bitmap not found in ressource");
    EXPECT_STREQ(platform.fatalBoxes[0].caption, "Fatal Kill Error");
    EXPECT_TRUE(platform.fatalBoxes[0].ownedBySetupWindow);

    struct ShortBits : test::SyntheticSkinPlatform {
        bool loadBitmap(int, BitmapBits& out) override {
            out = BitmapBits{4, 4, std::vector<std::uint8_t>(47)};
            return true;
        }
    } shortBits;
    EXPECT_THROW(loadPixels(shortBits, 1), FatalStop);
}

}  // namespace
}  // namespace setup

#include "tools/render/frame_png.h"

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>
#include <vector>

#include "setup/skin/controls.h"
#include "tests/scratch_path.h"

namespace render {
namespace {

TEST(PngFile, FrameComesBackInRgbOrderWithTheShapeAsAlpha) {
    setup::Surface frame(3, 2), shape(3, 2);
    frame.pixels = {0x102030, 0xFF0000, 0x00FF00, 0x0000FF, 0xABCDEF, 0x000000};
    shape.pixels = {setup::kKeyColour, 0xFFFFFF, 0xFFFF00, 0xFFFFFF, setup::kKeyColour, 0xFF00FF};
    const auto path = setup::test::scratchPath("orv-png-file-test.png");
    ASSERT_TRUE(writePng(path.string(), frame, shape));

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.string().c_str()));
    image.format = PNG_FORMAT_RGBA;
    std::vector<png_byte> rgba(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr));
    std::filesystem::remove(path);
    ASSERT_EQ(image.width, 3u);
    ASSERT_EQ(image.height, 2u);
    for (std::size_t i = 0; i < 6; ++i) {
        const setup::Pixel p = frame.pixels[i];
        EXPECT_EQ(rgba[4 * i], (p >> 16) & 0xFF) << i;
        EXPECT_EQ(rgba[4 * i + 1], (p >> 8) & 0xFF) << i;
        EXPECT_EQ(rgba[4 * i + 2], p & 0xFF) << i;
        EXPECT_EQ(rgba[4 * i + 3], shape.pixels[i] == setup::kKeyColour ? 0 : 255) << i;
    }
}

TEST(PngFile, AnUnwritablePathIsReported) {
    setup::Surface frame(1, 1), shape(1, 1);
    EXPECT_FALSE(writePng("/nonexistent-folder/x.png", frame, shape));
}

}  // namespace
}  // namespace render

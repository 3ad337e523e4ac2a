// PNG sequences found and read as ffmpeg reads them.

#include <gtest/gtest.h>
#include <png.h>

#include <filesystem>

#include "media/file_handle.h"
#include "media/png_file.h"
#include "media/png_sequence.h"
#include "support/file_error.h"
#include "tests/scratch_path.h"

namespace media {
namespace {

namespace fs = std::filesystem;

class PngSequenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    void writeRgb(const std::string& name, int width, int height, uint8_t shade) {
        std::vector<uint8_t> rgb(size_t(3) * width * height);
        for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = uint8_t(shade + i);
        FileHandle out((folder_ / name).string(), "wb");
        writePng(out.get(), out.name(), width, height, 3, rgb.data());
        out.close();
    }
    std::string pattern() const { return (folder_ / "f%03d.png").string(); }

    const fs::path folder_ = setup::test::scratchPath("orv-png-sequence-test");
};

TEST_F(PngSequenceTest, StartsAtTheFirstOfZeroToFourAndStopsAtAGap) {
    writeRgb("f002.png", 4, 2, 10);
    writeRgb("f003.png", 4, 2, 20);
    writeRgb("f005.png", 4, 2, 30);  // after the gap: not read
    PngSequenceReader reader(pattern(), {24, 1});
    EXPECT_EQ(reader.width(), 4);
    EXPECT_EQ(reader.height(), 2);
    EXPECT_EQ(reader.frameCount(), 2u);
    RgbPicture picture;
    ASSERT_TRUE(reader.next(picture));
    EXPECT_EQ(picture.rgb[0], 10);
    EXPECT_EQ(picture.rgb[23], 10 + 23);
    ASSERT_TRUE(reader.next(picture));
    EXPECT_EQ(picture.rgb[0], 20);
    EXPECT_FALSE(reader.next(picture));
}

TEST_F(PngSequenceTest, ReadsGreyAndRgbaAsRgb) {
    const uint8_t grey[] = {0, 100, 200, 255};
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = 2;
    image.height = 2;
    image.format = PNG_FORMAT_GRAY;
    ASSERT_TRUE(png_image_write_to_file(&image, (folder_ / "f000.png").string().c_str(), 0, grey, 0, nullptr));
    const uint8_t rgba[] = {1, 2, 3, 255, 4, 5, 6, 255, 7, 8, 9, 255, 10, 11, 12, 255};
    FileHandle out((folder_ / "f001.png").string(), "wb");
    writePng(out.get(), out.name(), 2, 2, 4, rgba);
    out.close();

    PngSequenceReader reader(pattern(), {25, 1});
    RgbPicture picture;
    ASSERT_TRUE(reader.next(picture));
    EXPECT_EQ(picture.rgb, (std::vector<uint8_t>{0, 0, 0, 100, 100, 100, 200, 200, 200, 255, 255, 255}));
    ASSERT_TRUE(reader.next(picture));
    EXPECT_EQ(picture.rgb, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
}

TEST_F(PngSequenceTest, RefusesMissingStartsOtherSizesAndNonPngs) {
    writeRgb("f005.png", 4, 2, 0);
    EXPECT_THROW(PngSequenceReader(pattern(), {25, 1}), support::FileError);
    writeRgb("f004.png", 4, 2, 0);
    writeRgb("f005.png", 2, 2, 0);
    PngSequenceReader reader(pattern(), {25, 1});
    RgbPicture picture;
    ASSERT_TRUE(reader.next(picture));
    EXPECT_THROW(reader.next(picture), support::FileError);
    FileHandle notPng((folder_ / "f000.png").string(), "wb");
    std::fputs("not a picture", notPng.get());
    notPng.close();
    try {
        PngSequenceReader broken(pattern(), {25, 1});
        ADD_FAILURE() << "read a text file as a PNG";
    } catch (const support::FileError& error) {
        EXPECT_EQ(error.kind(), support::FileError::Kind::Format);
    }
}

}  // namespace
}  // namespace media

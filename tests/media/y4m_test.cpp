// Y4M files written by hand and by the writer, read back.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "media/bt601.h"
#include "media/file_handle.h"
#include "media/y4m_reader.h"
#include "media/y4m_writer.h"
#include "support/file_error.h"
#include "tests/scratch_path.h"

namespace media {
namespace {

class Y4mTest : public ::testing::Test {
protected:
    void TearDown() override { std::filesystem::remove(path_); }
    void writeFile(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }
    std::string readError() {
        try {
            Y4mReader reader(path_);
            RgbPicture picture;
            while (reader.next(picture)) {
            }
        } catch (const support::FileError& error) {
            return error.what();
        }
        return "accepted";
    }
    const std::string path_ = setup::test::scratchPath("orv-y4m-test.y4m").string();
};

TEST_F(Y4mTest, Reads420FramesWithInterpolatedChroma) {
    // 4x2 picture: 2x1 chroma samples per plane.
    std::string bytes = "YUV4MPEG2 W4 H2 F30000:1001 Ip A1:1 C420jpeg XYSCSS=420JPEG\n";
    for (int frame = 0; frame < 2; ++frame) {
        bytes += "FRAME\n";
        bytes += std::string{char(16), char(235), char(126), char(81), char(81), char(81), char(81), char(81)};
        bytes += std::string{char(128), char(90)};   // Cb
        bytes += std::string{char(128), char(240)};  // Cr
    }
    writeFile(bytes);
    Y4mReader reader(path_);
    EXPECT_EQ(reader.width(), 4);
    EXPECT_EQ(reader.height(), 2);
    EXPECT_EQ(reader.rate().numerator, 30000u);
    EXPECT_EQ(reader.rate().denominator, 1001u);
    RgbPicture picture;
    ASSERT_TRUE(reader.next(picture));
    // Pixel (0, 0): Y 16 with neutral chroma is black.
    EXPECT_EQ(picture.rgb[0], 0);
    EXPECT_EQ(picture.rgb[1], 0);
    EXPECT_EQ(picture.rgb[2], 0);
    // Pixel (3, 1) takes only the red sample's chroma: red.
    const Rgb red = yCbCrToRgb({81, 90, 240});
    EXPECT_EQ(picture.rgb[3 * 7], red.r);
    EXPECT_EQ(picture.rgb[3 * 7 + 2], red.b);
    // Pixel (1, 0): a quarter of the way to the red sample's chroma.
    const Rgb between = yCbCrToRgb({235, 128 - 10, 128 + 28});
    EXPECT_EQ(picture.rgb[3], between.r);
    EXPECT_EQ(picture.rgb[4], between.g);
    ASSERT_TRUE(reader.next(picture));
    EXPECT_FALSE(reader.next(picture));
}

// From the file's size, when every frame line is bare and the frames whole.
TEST_F(Y4mTest, FrameCountIsKnownForWholeBareFrames) {
    const std::string header = "YUV4MPEG2 W4 H2 F25:1 C444\n", planes(24, '\x80');
    writeFile(header + "FRAME\n" + planes + "FRAME\n" + planes + "FRAME\n" + planes);
    EXPECT_EQ(Y4mReader(path_).frameCount(), 3u);
    writeFile(header + "FRAME\n" + planes + "FRAME Ixyz\n" + planes);
    EXPECT_EQ(Y4mReader(path_).frameCount(), std::nullopt);
    writeFile(header + "FRAME\n" + planes + "FRAME\n" + planes.substr(1));
    EXPECT_EQ(Y4mReader(path_).frameCount(), std::nullopt);
}

TEST_F(Y4mTest, WrittenFramesReadBackAs444) {
    RgbPicture picture;
    picture.resize(640, 4);
    for (size_t i = 0; i < picture.rgb.size(); ++i) picture.rgb[i] = uint8_t(i * 7);
    {
        FileHandle out(path_, "wb");
        Y4mWriter writer(out.get(), out.name(), 640, 4, {15, 1});
        writer.write(picture);
        writer.write(picture);
        out.close();
    }
    std::ifstream file(path_, std::ios::binary);
    std::string header;
    std::getline(file, header);
    EXPECT_EQ(header, "YUV4MPEG2 W640 H4 F15:1 Ip A1:1 C444");
    EXPECT_EQ(std::filesystem::file_size(path_), header.size() + 1 + 2 * (6 + 3 * 640 * 4));

    Y4mReader reader(path_);
    RgbPicture back;
    for (int frame = 0; frame < 2; ++frame) {
        ASSERT_TRUE(reader.next(back));
        for (size_t i = 0; i < picture.rgb.size(); ++i) ASSERT_NEAR(back.rgb[i], picture.rgb[i], 2) << "sample " << i;
    }
    EXPECT_FALSE(reader.next(back));
}

TEST_F(Y4mTest, RefusesWhatItCannotReadAndSaysWhy) {
    using ::testing::HasSubstr;
    writeFile("YUV4MPEG W4 H2\n");
    EXPECT_THAT(readError(), HasSubstr("not a Y4M file"));
    writeFile("YUV4MPEG2 W4 H2 C420p10\n");
    EXPECT_THAT(readError(), HasSubstr("C420p10 is not 8-bit"));
    writeFile("YUV4MPEG2 W4 H2 F25:0\n");
    EXPECT_THAT(readError(), HasSubstr("bad frame rate 'F25:0'"));
    writeFile("YUV4MPEG2 H2\n");
    EXPECT_THAT(readError(), HasSubstr("size 0x2 is missing"));
    writeFile("YUV4MPEG2 W4 H2 C444\nFRAME\n" + std::string(10, 'x'));
    EXPECT_THAT(readError(), HasSubstr(path_ + ": frame 0 is cut short"));
    writeFile("YUV4MPEG2 W2 H2 C444\nFRAME\n" + std::string(12, 'x') + "FRAMF\n");
    EXPECT_THAT(readError(), HasSubstr("frame 1 does not begin with \"FRAME\""));
    std::filesystem::remove(path_);
    try {
        Y4mReader reader(path_);
        ADD_FAILURE() << "opened a missing file";
    } catch (const support::FileError& error) {
        EXPECT_EQ(error.kind(), support::FileError::Kind::Io);
    }
}

}  // namespace
}  // namespace media

// vk6 decode against a plain loop over the library's handle interface, on
// videos whose copies read every part of both pictures (copy_video.h): in
// every format, and for any range of frames, it writes exactly the pictures
// the game decodes.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <tuple>

#include "media/decoded_pixels.h"
#include "media/md5.h"
#include "media/picture_sinks.h"
#include "media/png_file.h"
#include "tests/decoder/copy_video.h"
#include "tests/decoder/turn_decoding.h"
#include "tests/vk6/command_runner.h"

namespace decoder::test {
namespace {

constexpr int kFrames = 5;  // intra, predicted, predicted, intra, predicted

class Vk6DecodeMatchesLibrary : public ::testing::TestWithParam<std::tuple<int, int>> {
protected:
    void SetUp() override {
        const auto [pixelType, height] = GetParam();
        info_ = {uint16_t(pixelType), uint16_t(height), {25, 1}, 0};
        const CopyVideo video = copyVideo(pixelType, height, kFrames, unsigned(11 * height + pixelType));
        folder_.writeStream("copies.xqm", info_, video.frames);
        pictures_ = decodeByTurns(pixelType, height, video.frames);
    }

    std::vector<uint8_t> raw(size_t number) const { return media::rawBytes(pictures_[number].data(), info_); }

    // `output` holds the library's frames from `first` on, one after another.
    void expectRawFrames(const std::string& output, size_t first, size_t count, const std::string& what) const {
        const size_t frameBytes = size_t(2) * format::kPictureWidth * info_.height;
        ASSERT_EQ(output.size(), count * frameBytes) << what;
        for (size_t i = 0; i < count; ++i) {
            const std::vector<uint8_t> expected = raw(first + i);
            EXPECT_TRUE(output.compare(i * frameBytes, frameBytes, std::string(expected.begin(), expected.end())) == 0)
                << what << ": frame " << first + i;
        }
    }

    ScratchFolder folder_{"vk6-decode-matches-library"};
    stream::StreamInfo info_;
    std::vector<std::vector<uint16_t>> pictures_;
};

TEST_P(Vk6DecodeMatchesLibrary, RawFramesOfTheWholeStreamAndOfRanges) {
    ASSERT_EQ(folder_.vk6("decode copies.xqm -o all.raw -q").exitCode, 0);
    expectRawFrames(folder_.read("all.raw"), 0, kFrames, "all frames");
    struct Range {
        const char* option;
        size_t first, count;
    };
    // From a predicted frame, from the second intra frame, and the frame after it.
    for (const Range range : {Range{"1-2", 1, 2}, Range{"3-", 3, 2}, Range{"4", 4, 1}}) {
        const std::string arguments = std::string("decode copies.xqm -o part.raw -q --frames ") + range.option;
        ASSERT_EQ(folder_.vk6(arguments).exitCode, 0) << arguments;
        expectRawFrames(folder_.read("part.raw"), range.first, range.count, arguments);
    }
}

TEST_P(Vk6DecodeMatchesLibrary, FrameMd5HoldsTheChecksumsOfTheRawFrames) {
    const CommandResult result = folder_.vk6("decode copies.xqm -o - --format framemd5");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::vector<std::string> sums, expected;
    std::istringstream lines(result.out);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty() && line[0] != '#') sums.push_back(line.substr(line.rfind(", ") + 2));
    for (size_t number = 0; number < pictures_.size(); ++number) {
        const std::vector<uint8_t> bytes = raw(number);
        media::Md5 md5;
        md5.update(bytes.data(), bytes.size());
        expected.push_back(md5.finishHex());
    }
    EXPECT_EQ(sums, expected);
}

// Y4M and PNG against the library's pictures through the tool's own RGB
// conversion (whose values the command tests check).
TEST_P(Vk6DecodeMatchesLibrary, Y4mAndPngHoldThePicturesInRgb) {
    ASSERT_EQ(folder_.vk6("decode copies.xqm -o copies.y4m -q").exitCode, 0);
    const auto sink =
        media::openSink(media::OutputFormat::Y4m, (folder_.path() / "expected.y4m").string(), info_, "vk6");
    for (size_t number = 0; number < pictures_.size(); ++number)
        sink->write(pictures_[number].data(), uint32_t(number));
    sink->finish();
    EXPECT_TRUE(folder_.read("copies.y4m") == folder_.read("expected.y4m"));

    std::filesystem::create_directory(folder_.path() / "png");
    ASSERT_EQ(folder_.vk6("decode copies.xqm -o png/f%d.png -q").exitCode, 0);
    for (size_t number = 0; number < pictures_.size(); ++number) {
        const auto png = media::readPng((folder_.path() / ("png/f" + std::to_string(number) + ".png")).string());
        EXPECT_TRUE(png.rgb == media::toRgb(pictures_[number].data(), info_).rgb) << "frame " << number;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryHeightKind, Vk6DecodeMatchesLibrary,
                         ::testing::Combine(::testing::Values(15, 16), ::testing::Values(2, 8, 16, 40, 270, 480)));

}  // namespace
}  // namespace decoder::test

// vk6's framemd5 text against what Debian's ffmpeg prints for the same raw
// frames, line for line but for the #software line.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "tests/vk6/command_runner.h"

namespace decoder::test {
namespace {

constexpr const char* kFfmpeg = "/usr/bin/ffmpeg";

std::vector<std::string> linesBut(const std::string& text, const std::string& skippedPrefix) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.starts_with(skippedPrefix)) lines.push_back(line);
    return lines;
}

struct Case {
    stream::StreamInfo info;
    const char* pixelFormat;
};

class FfmpegFrameMd5 : public ::testing::TestWithParam<Case> {};

TEST_P(FfmpegFrameMd5, MatchesFfmpegOnTheRawFrames) {
    ASSERT_TRUE(std::filesystem::exists(kFfmpeg)) << "scripts/install-deps.sh installs ffmpeg";
    const Case& c = GetParam();
    ScratchFolder folder("vk6-ffmpeg-test");
    folder.writeStream("clip.xqm", c.info, 4);
    const CommandResult raw = folder.vk6("decode clip.xqm -o clip.raw --format raw");
    ASSERT_EQ(raw.exitCode, 0) << raw.err;
    const CommandResult ours = folder.vk6("decode clip.xqm -o - --format framemd5");
    ASSERT_EQ(ours.exitCode, 0) << ours.err;

    const std::string rate = std::to_string(c.info.rate.numerator) + "/" + std::to_string(c.info.rate.denominator);
    const CommandResult theirs = folder.run(
        kFfmpeg, std::string("-nostdin -hide_banner -loglevel error -f rawvideo -pix_fmt ") + c.pixelFormat +
                     " -s 640x" + std::to_string(c.info.height) + " -r " + rate + " -i clip.raw -f framemd5 -");
    ASSERT_EQ(theirs.exitCode, 0) << theirs.err;
    const auto expected = linesBut(theirs.out, "#software");
    EXPECT_EQ(linesBut(ours.out, "#software"), expected);
    EXPECT_EQ(expected.size(), 9u + 4u);  // the other header lines and one line per frame
}

INSTANTIATE_TEST_SUITE_P(PixelTypesAndRates, FfmpegFrameMd5,
                         ::testing::Values(Case{{16, 12, {15, 1}, 0}, "rgb565le"},
                                           Case{{15, 8, {30000, 1001}, 0}, "rgb555le"},
                                           Case{{16, 2, {50, 2}, 0}, "rgb565le"}));

}  // namespace
}  // namespace decoder::test

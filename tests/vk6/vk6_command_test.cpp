// vk6 and orvconfig from the command line: exit codes, messages, the info
// text of a known stream, and decoding into every format and back.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "media/md5.h"
#include "media/png_file.h"
#include "media/y4m_reader.h"
#include "stream/stream_reader.h"
#include "support/file_names.h"
#include "tests/decoder/frame_builder.h"
#include "tests/decoder/sample_video.h"
#include "tests/vk6/command_runner.h"

namespace decoder::test {
namespace {

using decoder::test::farWord;
using decoder::test::FrameBuilder;
using decoder::test::sampleVideo;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr stream::StreamInfo kClip = {16, 12, {15, 1}, 0};

class Vk6Command : public ::testing::Test {
protected:
    ScratchFolder folder{"vk6-command-test"};
};

TEST_F(Vk6Command, InfoDescribesAKnownStream) {
    folder.writeStream("clip.xqm", kClip, 3);
    const CommandResult result = folder.vk6("info --blocks clip.xqm");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    std::ifstream expected(std::string(VK6_TEST_DATA) + "/clip_info.txt");
    std::stringstream text;
    text << expected.rdbuf();
    EXPECT_EQ(result.out, text.str());
}

TEST_F(Vk6Command, ExitCodesTellErrorsApart) {
    folder.writeStream("clip.xqm", kClip, 3);
    folder.write("junk.xqm", std::vector<uint8_t>(100, 'j'));
    CommandResult result = folder.vk6("--version");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "vk6 1.0.0\n");
    EXPECT_THAT(folder.vk6("--help").out, StartsWith("Usage: vk6 COMMAND"));
    EXPECT_THAT(folder.vk6("decode --help").out, StartsWith("Usage: vk6 decode FILE"));
    EXPECT_THAT(folder.vk6("check --help").out, StartsWith("Usage: vk6 check [--quiet] FILE"));

    struct Expectation {
        const char* arguments;
        int exitCode;
        const char* message;
    };
    const Expectation expectations[] = {
        {"", 2, "vk6: missing command (see 'vk6 --help')\n"},
        {"play clip.xqm", 2, "vk6: unknown command 'play' (see 'vk6 --help')\n"},
        {"info", 2, "vk6 info: missing FILE (see 'vk6 info --help')\n"},
        {"info --colour clip.xqm", 2, "vk6 info: unknown option '--colour' (see 'vk6 info --help')\n"},
        {"info missing.xqm", 3, "vk6 info: missing.xqm: cannot open"},
        {"info junk.xqm", 1, "vk6 info: junk.xqm: not an XQM6 stream"},
        {"decode clip.xqm --format raw", 2, "vk6 decode: missing -o OUT"},
        {"decode clip.xqm -o out.bmp", 2, "vk6 decode: say the output's format with --format"},
        {"decode clip.xqm -o out --format bmp", 2, "vk6 decode: unknown format 'bmp'"},
        {"decode clip.xqm -o out.raw --frames 2-3", 2, "vk6 decode: --frames 2-3 asks for frames past the last one"},
        {"decode clip.xqm -o out.raw --frames 2-1", 2, "vk6 decode: --frames takes FIRST-LAST"},
        {"decode clip.xqm -o f.png", 2, "vk6 decode: the pattern 'f.png' holds no frame number"},
        {"decode clip.xqm -o no/such/folder.raw", 3, "vk6 decode: no/such/folder.raw: cannot open"},
        {"check", 2, "vk6 check: missing FILE (see 'vk6 check --help')\n"},
        {"check missing.xqm", 3, "vk6 check: missing.xqm: cannot open"},
        {"check junk.xqm", 1, "vk6 check: junk.xqm: not an XQM6 stream"},
    };
    for (const Expectation& expectation : expectations) {
        result = folder.vk6(expectation.arguments);
        EXPECT_EQ(result.exitCode, expectation.exitCode) << expectation.arguments;
        EXPECT_THAT(result.err, StartsWith(expectation.message)) << expectation.arguments;
    }
}

TEST_F(Vk6Command, OrvconfigTakesHelpAndVersionAsOptions) {
    CommandResult result = folder.run(ORVCONFIG_PROGRAM, "--help");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_THAT(result.out, StartsWith("Usage: orvconfig"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "--helpConfig.ini"));
    EXPECT_EQ(folder.run(ORVCONFIG_PROGRAM, "--version").out, "orvconfig 1.0.0\n");
    EXPECT_EQ(folder.run(ORVCONFIG_PROGRAM, "--quiet a/ b/").exitCode, 2);
    result = folder.run(ORVCONFIG_PROGRAM, "--quiet no/such/folder/");
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.out, "");
}

// The pixels of a raw 5-6-5 frame widened to 8 bits by repeating top bits.
std::vector<uint8_t> widened565(const std::string& raw, size_t firstByte, size_t pixels) {
    std::vector<uint8_t> rgb;
    for (size_t i = 0; i < pixels; ++i) {
        const uint32_t p = uint8_t(raw[firstByte + 2 * i]) | uint32_t(uint8_t(raw[firstByte + 2 * i + 1])) << 8;
        const uint32_t r = p >> 11, g = (p >> 5) & 63, b = p & 31;
        rgb.insert(rgb.end(), {uint8_t(r << 3 | r >> 2), uint8_t(g << 2 | g >> 4), uint8_t(b << 3 | b >> 2)});
    }
    return rgb;
}

TEST_F(Vk6Command, EveryFormatHoldsTheSameShownRows) {
    folder.writeStream("clip.xqm", kClip, 4);
    const size_t frameBytes = 2 * 640 * 12;
    ASSERT_EQ(folder.vk6("decode clip.xqm -o clip.raw --format raw").exitCode, 0);
    const std::string raw = folder.read("clip.raw");
    ASSERT_EQ(raw.size(), 4 * frameBytes);
    EXPECT_EQ(folder.vk6("decode clip.xqm -o - --format raw -q").out, raw);
    EXPECT_EQ(folder.vk6("decode clip.xqm -o part.raw --frames 2-").exitCode, 0);
    EXPECT_EQ(folder.read("part.raw"), raw.substr(2 * frameBytes));

    const CommandResult md5 = folder.vk6("decode clip.xqm -o - --format framemd5");
    ASSERT_EQ(md5.exitCode, 0);
    for (size_t frame = 0; frame < 4; ++frame) {
        media::Md5 digest;
        digest.update(reinterpret_cast<const uint8_t*>(raw.data()) + frame * frameBytes, frameBytes);
        EXPECT_THAT(md5.out, HasSubstr(",    15360, " + digest.finishHex() + "\n")) << "frame " << frame;
    }

    ASSERT_EQ(folder.vk6("decode clip.xqm -o pictures/f%02d.png --frames 1-3").exitCode, 3);  // no folder
    std::filesystem::create_directory(folder.path() / "pictures");
    ASSERT_EQ(folder.vk6("decode clip.xqm -o pictures/f%02d.png --frames 1-3").exitCode, 0);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "pictures/f00.png"));
    for (size_t frame = 1; frame < 4; ++frame) {
        const auto name = "pictures/f0" + std::to_string(frame) + ".png";
        const auto picture = media::readPng((folder.path() / name).string());
        ASSERT_EQ(picture.width, 640);
        ASSERT_EQ(picture.height, 12);
        EXPECT_EQ(picture.rgb, widened565(raw, frame * frameBytes, 640 * 12)) << "frame " << frame;
    }

    ASSERT_EQ(folder.vk6("decode clip.xqm -o clip.y4m").exitCode, 0);
    media::Y4mReader y4m((folder.path() / "clip.y4m").string());
    EXPECT_EQ(y4m.height(), 12);
    EXPECT_EQ(y4m.rate().numerator, 15u);
    media::RgbPicture picture;
    for (size_t frame = 0; frame < 4; ++frame) {
        ASSERT_TRUE(y4m.next(picture));
        const auto expected = widened565(raw, frame * frameBytes, 640 * 12);
        for (size_t i = 0; i < expected.size(); ++i) ASSERT_NEAR(picture.rgb[i], expected[i], 2) << "sample " << i;
    }
    EXPECT_FALSE(y4m.next(picture));
}

TEST_F(Vk6Command, AnAbandonedFrameStopsOrIsShownOverThePreviousPicture) {
    folder.writeStream("clip.xqm", kClip, 4, true);
    const size_t frameBytes = 2 * 640 * 12;
    CommandResult result = folder.vk6("decode clip.xqm -o stop.raw");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "vk6 decode: clip.xqm: frame 2: block at (320, 8): the code 1111 is not a code\n");
    EXPECT_EQ(folder.read("stop.raw").size(), 2 * frameBytes);

    result = folder.vk6("decode clip.xqm -o all.raw --keep-going");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "vk6 decode: clip.xqm: frame 2: block at (320, 8): the code 1111 is not a code\n");
    const std::string all = folder.read("all.raw");
    ASSERT_EQ(all.size(), 4 * frameBytes);
    EXPECT_EQ(all.substr(0, 2 * frameBytes), folder.read("stop.raw"));
    // Still blocks up to the failed one, and the previous picture from it on.
    EXPECT_EQ(all.substr(2 * frameBytes, frameBytes), all.substr(frameBytes, frameBytes));
}

// The files in the folder but the runner's own .stdout and .stderr.
std::set<std::string> filesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string name = support::utf8Name(std::filesystem::relative(entry.path(), folder));
        if (!name.starts_with(".std")) names.insert(name);
    }
    return names;
}

TEST_F(Vk6Command, FilesAreWrittenWholeOrNotAtAll) {
    folder.writeStream("broken.xqm", kClip, 4, true);
    folder.writeStream("clip.xqm", kClip, 4);
    // A stop at a damaged frame keeps the pictures before it, each whole.
    EXPECT_EQ(folder.vk6("decode broken.xqm -o f%02d.png").exitCode, 1);
    EXPECT_EQ(media::readPng((folder.path() / "f01.png").string()).height, 12);
    // A write that fails on the way, at a limit to the file's size, leaves nothing.
    const std::string vk6 = std::filesystem::absolute(VK6_PROGRAM).string();
    CommandResult result =
        folder.run("/bin/sh", "-c 'trap \"\" XFSZ; ulimit -f 8; exec " + vk6 + " decode clip.xqm -o big.y4m'");
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_THAT(result.err, HasSubstr("big.y4m: cannot write"));
    // A damaged picture in a sequence stops the encoding before any output.
    std::filesystem::create_directory(folder.path() / "seq");
    ASSERT_EQ(folder.vk6("decode clip.xqm -o seq/f%03d.png").exitCode, 0);
    const std::string picture = folder.read("seq/f002.png");
    folder.write("seq/f002.png", std::vector<uint8_t>(picture.begin(), picture.begin() + 300));
    result = folder.vk6("encode seq/f%03d.png -o out.xqm -q");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.err, HasSubstr("seq/f002.png: damaged PNG picture: the file ends inside its IDAT chunk"));
    EXPECT_EQ(filesIn(folder.path()),
              (std::set<std::string>{"broken.xqm", "clip.xqm", "f00.png", "f01.png", "seq", "seq/f000.png",
                                     "seq/f001.png", "seq/f002.png", "seq/f003.png"}));
}

TEST_F(Vk6Command, NamesOutsideAsciiAreReadAndWritten) {
    folder.writeStream("vidéo.xqm", kClip, 3);
    std::filesystem::create_directory(support::filePath((folder.path() / "été").string()));
    ASSERT_EQ(folder.vk6("decode vidéo.xqm -o été/кадр%02d.png").exitCode, 0);
    const CommandResult result = folder.vk6("encode été/кадр%02d.png -o 日本.xqm -q");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(folder.vk6("info 日本.xqm").exitCode, 0);
    EXPECT_EQ(filesIn(folder.path()), (std::set<std::string>{"vidéo.xqm", "été", "été/кадр00.png", "été/кадр01.png",
                                                             "été/кадр02.png", "日本.xqm"}));
}

TEST_F(Vk6Command, CheckListsTheDamagedFramesWhereAndWhy) {
    folder.writeStream("whole.xqm", kClip, 3);
    CommandResult result = folder.vk6("check --quiet whole.xqm");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "3 frames, 0 damaged\n");

    auto frames = sampleVideo(kClip.height, 5, 7);
    FrameBuilder notACode, outside;
    for (int block = 0; block < 120; ++block) notACode.control.code("110");
    notACode.control.code("1111");
    frames[2] = notACode.build(50);
    outside.control.code("1110 100 100 01000");  // quarter 2 copies from 64 rows below
    outside.vector(farWord(128, 0));
    frames[4] = outside.build(50);
    folder.writeStream("damaged.xqm", kClip, frames);
    result = folder.vk6("check --quiet damaged.xqm");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out,
              "damaged.xqm: frame 2: block at (320, 8): the code 1111 is not a code\n"
              "damaged.xqm: frame 4: block at (0, 0): copy reaches outside the picture (4x4 piece 2)\n"
              "5 frames, 2 damaged\n");

    // The census of a damaged frame stops where the decoder does.
    result = folder.vk6("info --blocks --quiet damaged.xqm");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_THAT(result.out, HasSubstr("       2  predicted  "));
    EXPECT_THAT(result.out, HasSubstr("\n          8x8: still 120\n"
                                      "          abandoned: block at (320, 8): the code 1111 is not a code\n"));
    EXPECT_THAT(result.out, HasSubstr("         0\n          abandoned: block at (0, 0): copy reaches outside the "
                                      "picture (4x4 piece 2)\n\nblocks of all frames\n"));
}

TEST_F(Vk6Command, EncodeChecksItsInput) {
    folder.write("narrow.y4m", std::vector<uint8_t>{'Y', 'U', 'V', '4', 'M', 'P', 'E', 'G', '2', ' ', 'W', '3', '2',
                                                    '0', ' ', 'H', '8', '\n'});
    CommandResult result = folder.vk6("encode narrow.y4m -o out.xqm");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.err, HasSubstr("narrow.y4m: pictures 320 pixels wide"));
    const std::string header = "YUV4MPEG2 W640 H7 F25:1 C444\n";
    folder.write("odd.y4m", std::vector<uint8_t>(header.begin(), header.end()));
    EXPECT_THAT(folder.vk6("encode odd.y4m -o out.xqm").err, HasSubstr("odd.y4m: 7 rows"));
    EXPECT_EQ(folder.vk6("encode f%s.png -o out.xqm").exitCode, 2);
    EXPECT_EQ(folder.vk6("encode f%03d.png -o out.xqm").exitCode, 3);  // no pictures
    const std::string empty = "YUV4MPEG2 W640 H8 F25:1 C420jpeg\n";
    folder.write("empty.y4m", std::vector<uint8_t>(empty.begin(), empty.end()));
    result = folder.vk6("encode empty.y4m -o out.xqm");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_THAT(result.err, HasSubstr("empty.y4m: no pictures"));
    EXPECT_EQ(folder.vk6("encode empty.y4m -o out.xqm --quality 0").exitCode, 2);
    EXPECT_EQ(folder.vk6("encode empty.y4m -o out.xqm --type 24").exitCode, 2);
    EXPECT_EQ(folder.vk6("encode empty.y4m -o -").exitCode, 2);
    for (const char* threads : {"0", "-2", "x", "65", ""})
        EXPECT_EQ(folder.vk6("encode empty.y4m -o out.xqm --threads " + std::string(threads)).exitCode, 2) << threads;
}

// A gradient with a square moving over it, as 4:4:4 Y4M: one plane of each.
std::vector<uint8_t> movingSquareY4m(int frames, int height) {
    const std::string header = "YUV4MPEG2 W640 H" + std::to_string(height) + " F15:1 Ip A1:1 C444\n";
    std::vector<uint8_t> bytes(header.begin(), header.end());
    for (int f = 0; f < frames; ++f) {
        const std::string frameHeader = "FRAME\n";
        bytes.insert(bytes.end(), frameHeader.begin(), frameHeader.end());
        for (int plane = 0; plane < 3; ++plane)
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < 640; ++x) {
                    const bool square = x >= 100 + 6 * f && x < 140 + 6 * f && y >= 4 && y < 20;
                    const int luma = square ? 220 : 30 + x / 4;
                    bytes.push_back(uint8_t(plane == 0 ? luma : (plane == 1 ? 128 + (square ? 40 : 0) : 128 - y)));
                }
    }
    return bytes;
}

TEST_F(Vk6Command, EncodeMakesAStreamThatDecodesCloseToItsSource) {
    folder.write("clip.y4m", movingSquareY4m(5, 24));
    CommandResult result = folder.vk6("encode clip.y4m -o clip.xqm --quality 90 --intra-every 3 --type 15");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    result = folder.vk6("info clip.xqm");
    EXPECT_THAT(result.out, HasSubstr("640x24, 5-5-5 pixels"));
    EXPECT_THAT(result.out, HasSubstr("frame rate  15/1"));
    EXPECT_THAT(result.out, HasSubstr("       0  intra"));
    EXPECT_THAT(result.out, HasSubstr("       3  intra"));
    EXPECT_THAT(result.out, HasSubstr("       4  predicted"));

    // The decoded 5-5-5 pictures against the source taken to RGB by the Y4M reader.
    ASSERT_EQ(folder.vk6("decode clip.xqm -o clip.raw --format raw").exitCode, 0);
    const std::string raw = folder.read("clip.raw");
    ASSERT_EQ(raw.size(), size_t(5) * 640 * 24 * 2);
    media::Y4mReader source((folder.path() / "clip.y4m").string());
    media::RgbPicture picture;
    for (int f = 0; f < 5; ++f) {
        ASSERT_TRUE(source.next(picture));
        double squaredError = 0;
        for (size_t i = 0; i < size_t(640) * 24; ++i) {
            const unsigned pixel = uint8_t(raw[(f * 640 * 24 + i) * 2]) | uint8_t(raw[(f * 640 * 24 + i) * 2 + 1]) << 8;
            const int decoded[3] = {int(pixel >> 10 & 31) * 255 / 31, int(pixel >> 5 & 31) * 255 / 31,
                                    int(pixel & 31) * 255 / 31};
            for (int c = 0; c < 3; ++c) {
                const int difference = decoded[c] - picture.rgb[i * 3 + c];
                squaredError += difference * difference;
            }
        }
        const double psnr = 10 * std::log10(255.0 * 255.0 / (squaredError / (640 * 24 * 3)));
        EXPECT_GT(psnr, 30.0) << "frame " << f;
    }
}

// The frames' bytes as a bitrate: what --bitrate counts.
double frameBitrate(const std::filesystem::path& stream) {
    const stream::StreamReader reader = stream::StreamReader::openFile(stream.string());
    double bytes = 0;
    for (const stream::IndexEntry& entry : reader.index()) bytes += entry.size;
    const stream::StreamInfo& info = reader.info();
    return bytes * 8 * info.rate.numerator / info.rate.denominator / double(reader.index().size());
}

TEST_F(Vk6Command, EncodeOptionsAreChecked) {
    folder.write("clip.y4m", movingSquareY4m(5, 24));
    folder.write("four.y4m", movingSquareY4m(4, 24));
    ASSERT_EQ(folder.vk6("encode clip.y4m --pass 1 --stats five.txt").exitCode, 0);
    const std::string stats = folder.read("five.txt");
    ASSERT_THAT(stats, StartsWith("vk6-first-pass 1 height 24 quality 75 frames 5\n0 intra "));
    folder.write("garbled.txt", std::vector<uint8_t>{'x', '\n'});
    const std::string cut = stats.substr(0, stats.find('\n', stats.find('\n') + 1) + 1);
    folder.write("cut.txt", std::vector<uint8_t>(cut.begin(), cut.end()));

    struct Expectation {
        const char* options;
        int exitCode;
        const char* message;
    };
    const Expectation expectations[] = {
        {"--bitrate 800k --quality 50", 2, "--quality and --bitrate each decide the frames' qualities: give one"},
        {"--bitrate 800x", 2, "--bitrate takes bits per second from 1 to 10000M, such as 800k or 1.5M, not '800x'"},
        {"--bitrate 0", 2, "--bitrate takes"},
        {"--bitrate M", 2, "--bitrate takes"},
        {"--bitrate 1.5.2k", 2, "--bitrate takes"},
        {"--bitrate -5k", 2, "--bitrate takes"},
        {"--max-frame-bytes 0", 2, "--max-frame-bytes takes a number from 1 to 2147483647, not '0'"},
        {"--max-frame-bytes 2k", 2, "--max-frame-bytes takes"},
        {"--scene-cuts maybe", 2, "--scene-cuts takes on|off, not 'maybe'"},
        {"--preset quick", 2, "--preset takes fast|medium|slow, not 'quick'"},
        {"--pass 3 --stats s.txt", 2, "--pass takes a number from 1 to 2, not '3'"},
        {"--pass 1", 2, "--pass 1 needs --stats FILE"},
        {"--stats s.txt", 2, "--stats belongs to --pass 1 or 2"},
        {"--pass 1 --stats s.txt --bitrate 800k", 2, "the first pass measures at fixed qualities: --bitrate belongs"},
        {"--pass 2 --stats five.txt", 2, "--pass 2 needs --bitrate"},
        {"--pass 2 --stats missing.txt --bitrate 800k", 3, "missing.txt: cannot open"},
        {"--pass 2 --stats garbled.txt --bitrate 800k", 1,
         "garbled.txt: line 1: not a first pass's statistics (they begin with 'vk6-first-pass')"},
        {"--pass 2 --stats cut.txt --bitrate 800k", 1, "cut.txt: line 3: the file ends before frame 1"},
        {"--max-frame-bytes 100", 1,
         "clip.y4m: frame 0 cannot be made to fit 100 bytes: its smallest coding, an intra frame at quality 1, takes "},
    };
    for (const Expectation& expectation : expectations) {
        const CommandResult result = folder.vk6(std::string("encode clip.y4m -o out.xqm ") + expectation.options);
        EXPECT_EQ(result.exitCode, expectation.exitCode) << expectation.options;
        EXPECT_THAT(result.err, StartsWith(std::string("vk6 encode: ") + expectation.message)) << expectation.options;
    }
    const CommandResult shorter = folder.vk6("encode four.y4m -o out.xqm --pass 2 --stats five.txt --bitrate 800k");
    EXPECT_EQ(shorter.exitCode, 1);
    EXPECT_EQ(shorter.err, "vk6 encode: four.y4m: 4 frames, the first pass saw 5\n");
    ASSERT_EQ(folder.vk6("encode four.y4m --pass 1 --stats four.txt").exitCode, 0);
    const CommandResult longer = folder.vk6("encode clip.y4m -o out.xqm --pass 2 --stats four.txt --bitrate 800k");
    EXPECT_EQ(longer.exitCode, 1);
    EXPECT_EQ(longer.err, "vk6 encode: clip.y4m: more frames than the first pass saw (4)\n");
}

TEST_F(Vk6Command, EncodeReachesABitrateInOneOrTwoPassesAndKeepsFramesUnderALimit) {
    folder.write("clip.y4m", movingSquareY4m(45, 48));  // 137 kbit/s at quality 90
    ASSERT_EQ(folder.vk6("encode clip.y4m -o one.xqm --bitrate 120k").exitCode, 0);
    EXPECT_NEAR(frameBitrate(folder.path() / "one.xqm") / 120e3, 1.0, 0.03);
    ASSERT_EQ(folder.vk6("encode clip.y4m --pass 1 --stats clip.txt --preset fast").exitCode, 0);
    ASSERT_EQ(folder.vk6("encode clip.y4m -o two.xqm --pass 2 --stats clip.txt --bitrate 0.09M").exitCode, 0);
    EXPECT_NEAR(frameBitrate(folder.path() / "two.xqm") / 90e3, 1.0, 0.03);

    ASSERT_EQ(folder.vk6("encode clip.y4m -o limited.xqm --quality 100 --max-frame-bytes 1400").exitCode, 0);
    const stream::StreamReader reader = stream::StreamReader::openFile((folder.path() / "limited.xqm").string());
    for (const stream::IndexEntry& entry : reader.index()) EXPECT_LE(entry.size, 1400u);
}

TEST_F(Vk6Command, EncodeWritesTheSameStreamOnAnyNumberOfThreads) {
    folder.write("clip.y4m", movingSquareY4m(3, 48));
    ASSERT_EQ(folder.vk6("encode clip.y4m -o one.xqm --threads 1 --quiet").exitCode, 0);
    ASSERT_EQ(folder.vk6("encode clip.y4m -o two.xqm --threads 2 --quiet").exitCode, 0);
    ASSERT_EQ(folder.vk6("encode clip.y4m -o cores.xqm --quiet").exitCode, 0);
    EXPECT_EQ(folder.read("one.xqm"), folder.read("two.xqm"));
    EXPECT_EQ(folder.read("one.xqm"), folder.read("cores.xqm"));
}

}  // namespace
}  // namespace decoder::test

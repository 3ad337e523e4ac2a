// The reader's checks of the header, the index and each frame, over streams
// in memory that are broken one field at a time, and the same stream from a file.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

#include "stream/stream_reader.h"
#include "support/file_error.h"
#include "tests/scratch_path.h"
#include "tests/stream/test_streams.h"

namespace stream::test {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

StreamReader readMemory(const std::vector<uint8_t>& bytes) {
    return StreamReader(std::make_unique<MemorySource>(bytes), "clip.xqm");
}

// The message of the format error that reading `bytes` raises.
std::string rejection(const std::vector<uint8_t>& bytes) {
    try {
        readMemory(bytes);
    } catch (const support::FileError& error) {
        EXPECT_EQ(error.kind(), support::FileError::Kind::Format) << error.what();
        return error.what();
    }
    ADD_FAILURE() << "accepted";
    return "";
}

std::string rejectionAfter(const std::function<void(std::vector<uint8_t>&)>& breakIt) {
    auto bytes = threeFrameStream();
    breakIt(bytes);
    return rejection(bytes);
}

TEST(StreamReader, ReadsBackWhatWasWritten) {
    const auto bytes = threeFrameStream();
    auto reader = readMemory(bytes);
    EXPECT_EQ(reader.info().pixelType, 16);
    EXPECT_EQ(reader.info().height, 8);
    EXPECT_EQ(reader.info().rate.numerator, 15u);
    EXPECT_EQ(reader.info().rate.denominator, 1u);
    ASSERT_EQ(reader.info().frameCount, 3u);
    const std::vector<std::vector<uint8_t>> frames = {intraFrame(), predictedFrame(), predictedFrame()};
    uint64_t expectedOffset = 32 + 3 * 16;
    std::vector<uint8_t> frame;
    for (uint32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(reader.index()[i].offset, expectedOffset);
        EXPECT_EQ(reader.index()[i].intra(), i == 0);
        reader.readFrame(i, frame);
        EXPECT_EQ(frame, frames[i]) << "frame " << i;
        expectedOffset += frames[i].size();
    }
    EXPECT_EQ(expectedOffset, bytes.size());
    EXPECT_THROW(reader.readFrame(3, frame), support::FileError);
}

TEST(StreamReader, RejectsEachHeaderFieldOutOfRange) {
    EXPECT_THAT(rejection(std::vector<uint8_t>(31, 0)), HasSubstr("shorter than the 32-byte stream header"));
    EXPECT_THAT(rejectionAfter([](auto& b) { b[0] = 'x'; }), HasSubstr("not an XQM6 stream"));
    EXPECT_THAT(rejectionAfter([](auto& b) { b[7] = 1; }), HasSubstr("not an XQM6 stream"));
    EXPECT_THAT(rejectionAfter([](auto& b) { put16(b, 8, 2); }), HasSubstr("version 2"));
    EXPECT_THAT(rejectionAfter([](auto& b) { put16(b, 10, 24); }), HasSubstr("pixel type 24"));
    EXPECT_THAT(rejectionAfter([](auto& b) { put16(b, 12, 320); }), HasSubstr("width 320"));
    for (uint16_t height : {0, 7, 2050})
        EXPECT_THAT(rejectionAfter([&](auto& b) { put16(b, 14, height); }),
                    HasSubstr("height " + std::to_string(height)));
    EXPECT_THAT(rejectionAfter([](auto& b) { put32(b, 16, 0); }), HasSubstr("frame rate 0/1"));
    EXPECT_THAT(rejectionAfter([](auto& b) { put32(b, 20, 0); }), HasSubstr("frame rate 15/0"));
    EXPECT_THAT(rejectionAfter([](auto& b) { b[31] = 1; }), HasSubstr("reserved header word is 0x01000000"));
}

TEST(StreamReader, AcceptsTheLimitsOfTheHeaderFields) {
    auto bytes = threeFrameStream();
    put16(bytes, 10, 15);
    put16(bytes, 14, 2048);
    put32(bytes, 16, 30000);
    put32(bytes, 20, 1001);
    // The 5-5-5 stream: the frames are the same bytes.
    EXPECT_EQ(readMemory(bytes).info().height, 2048);
    put16(bytes, 14, 2);
    EXPECT_EQ(readMemory(bytes).info().pixelType, 15);
}

TEST(StreamReader, RejectsAnIndexThatLeavesTheFile) {
    EXPECT_THAT(rejectionAfter([](auto& b) { put32(b, 24, 0xFFFFFFFF); }),
                StartsWith("clip.xqm: the index of 4294967295 frames ends at byte 68719476752, past the end"));
    auto justTheIndex = threeFrameStream();
    justTheIndex.resize(32 + 3 * 16);
    EXPECT_THAT(rejection(justTheIndex), StartsWith("clip.xqm: frame 0: "));
}

TEST(StreamReader, RejectsFramesOutsideTheFileOrOverTheIndex) {
    EXPECT_THAT(rejectionAfter([](auto& b) { put64(b, entryOffsetAt(1), 32 + 3 * 16 - 1); }),
                StartsWith("clip.xqm: frame 1: starts at byte 79, inside the header and index"));
    EXPECT_THAT(rejectionAfter([](auto& b) { put64(b, entryOffsetAt(2), 0); }),
                StartsWith("clip.xqm: frame 2: starts at byte 0"));
    EXPECT_THAT(rejectionAfter([](auto& b) { put32(b, entrySizeAt(2), uint32_t(b.size())); }),
                StartsWith("clip.xqm: frame 2: "));
    EXPECT_THAT(rejectionAfter([](auto& b) { put32(b, entrySizeAt(1), 0); }),
                StartsWith("clip.xqm: frame 1: its size is 0"));
    // An offset and size whose sum wraps around 64 bits.
    EXPECT_THAT(rejectionAfter([](auto& b) {
                    put64(b, entryOffsetAt(1), UINT64_MAX - 10);
                    put32(b, entrySizeAt(1), 100);
                }),
                HasSubstr("frame 1: 100 bytes at byte 18446744073709551605 run past the end of the file"));
    EXPECT_THAT(rejectionAfter([](auto& b) { put32(b, entrySizeAt(0), 23); }),
                HasSubstr("frame 0: 23 bytes, shorter than the 24-byte frame header"));
}

TEST(StreamReader, RejectsFlagsThatDisagreeWithTheQualityWord) {
    EXPECT_THAT(rejectionAfter([](auto& b) { put32(b, entryFlagsAt(0), 0); }),
                HasSubstr("frame 0: flagged as a predicted frame but its quality word is -50"));
    EXPECT_THAT(rejectionAfter([](auto& b) { put32(b, entryFlagsAt(2), 1); }),
                HasSubstr("frame 2: flagged as an intra frame but its quality word is 50"));
    EXPECT_THAT(rejectionAfter([](auto& b) { put32(b, entryFlagsAt(1), 0x80); }),
                HasSubstr("frame 1: flags 0x00000080: only bit 0"));
}

TEST(StreamReader, ReadsFromAFileAndNamesItInErrors) {
    const auto path = setup::test::scratchPath("xqm-stream-reader-test.xqm").string();
    auto bytes = threeFrameStream();
    writeFile(path, bytes);
    {
        auto reader = StreamReader::openFile(path);  // holds the file open until the block ends
        std::vector<uint8_t> frame;
        reader.readFrame(2, frame);
        EXPECT_EQ(frame, predictedFrame());
    }

    put32(bytes, entryFlagsAt(2), 1);
    writeFile(path, bytes);
    try {
        StreamReader::openFile(path);
        ADD_FAILURE() << "accepted";
    } catch (const support::FileError& error) {
        EXPECT_THAT(error.what(), StartsWith(path + ": frame 2: "));
    }
    std::filesystem::remove(path);
    try {
        StreamReader::openFile(path);
        ADD_FAILURE() << "opened a missing file";
    } catch (const support::FileError& error) {
        EXPECT_EQ(error.kind(), support::FileError::Kind::Io);
        EXPECT_THAT(error.what(), StartsWith(path + ": cannot open"));
    }
}

}  // namespace
}  // namespace stream::test

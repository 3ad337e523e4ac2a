#include <gtest/gtest.h>

#include <sstream>

#include "stream/stream_reader.h"
#include "stream/stream_writer.h"
#include "support/file_error.h"
#include "tests/stream/test_streams.h"

namespace stream::test {
namespace {

TEST(StreamWriter, SameFramesGiveTheSameBytes) { EXPECT_EQ(threeFrameStream(), threeFrameStream()); }

TEST(StreamWriter, UnusedIndexRoomStaysAsAGapBeforeTheFrames) {
    const auto bytes = writeStream({15, 8, {30000, 1001}, 99}, {intraFrame()}, 4);
    StreamReader reader(std::make_unique<MemorySource>(bytes), "gap.xqm");
    EXPECT_EQ(reader.info().frameCount, 1u);
    EXPECT_EQ(reader.index()[0].offset, 32u + 4 * 16);
    EXPECT_TRUE(reader.index()[0].intra());
}

TEST(StreamWriter, RefusesWhatNoReaderWouldAccept) {
    std::stringstream out;
    EXPECT_THROW(StreamWriter(out, "bad.xqm", {16, 7, {15, 1}, 0}, 1), support::FileError);
    EXPECT_THROW(StreamWriter(out, "bad.xqm", {16, 8, {15, 0}, 0}, 1), support::FileError);
    StreamWriter writer(out, "one.xqm", {16, 8, {15, 1}, 0}, 1);
    const std::vector<uint8_t> tooShort(23, 0);
    EXPECT_THROW(writer.addFrame(tooShort), support::FileError);
    writer.addFrame(intraFrame());
    EXPECT_THROW(writer.addFrame(intraFrame()), support::FileError);
}

}  // namespace
}  // namespace stream::test

// The web player's session shows any frame, in any order, with the picture a
// decode from frame 0 gives, whatever checkpoints it keeps or drops.

#include "web/module/player_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <sstream>

#include "format/pixel_types.h"
#include "stream/stream_writer.h"
#include "support/file_error.h"
#include "tests/decoder/copy_video.h"
#include "tests/decoder/turn_decoding.h"

namespace {

using web::PlayerSession;
using Result = PlayerSession::Result;

std::vector<uint8_t> streamOf(int pixelType, int height, const std::vector<std::vector<uint8_t>>& frames) {
    std::stringstream out;
    stream::StreamWriter writer(out, "memory", {uint16_t(pixelType), uint16_t(height), {15, 1}, 0},
                                uint32_t(frames.size()));
    for (const auto& frame : frames) writer.addFrame(frame);
    writer.finish();
    const std::string bytes = out.str();
    return {bytes.begin(), bytes.end()};
}

// The shown rows of a picture buffer.
bool sameShownRows(const uint16_t* shown, const std::vector<uint16_t>& expected, int height) {
    return std::memcmp(shown, expected.data(), size_t(2) * decoder::test::kPictureWidth * height) == 0;
}

struct Case {
    int pixelType, height;
    bool oneCheckpoint;  // a budget of one checkpoint, or the default
};

class SessionSeeks : public ::testing::TestWithParam<Case> {};

// Forward, back, to intra frames and between them, repeated: every picture
// equals the one decoded in order. A budget of one checkpoint makes the
// session drop and respace them while it goes.
TEST_P(SessionSeeks, EveryFrameInAnyOrderIsTheDecodedOne) {
    const Case c = GetParam();
    const int frameCount = 13;
    const auto video = decoder::test::copyVideo(c.pixelType, c.height, frameCount, 7u * c.height + c.pixelType);
    const auto expected = decoder::test::decodeByTurns(c.pixelType, c.height, video.frames);
    const size_t oneCheckpoint = 2 * format::pictureRows(uint16_t(c.height)) * decoder::test::kPictureWidth * 2;
    PlayerSession session(streamOf(c.pixelType, c.height, video.frames), "copies.xqm",
                          c.oneCheckpoint ? oneCheckpoint : web::kCheckpointBudget);
    EXPECT_EQ(session.shown(), -1);

    std::vector<uint32_t> order = {0, 1, 12, 4, 3, 3, 9, 2, 11, 6, 7, 0, 12, 5};
    std::mt19937 random(1);
    for (int i = 0; i < 30; ++i) order.push_back(uint32_t(random() % frameCount));
    for (uint32_t frame : order) {
        ASSERT_EQ(session.show(frame), Result::Whole) << frame;
        ASSERT_EQ(session.shown(), frame);
        ASSERT_TRUE(sameShownRows(session.picture(), expected[frame], c.height)) << "frame " << frame;
    }
    if (c.oneCheckpoint) {
        EXPECT_EQ(session.checkpointCount(), 1u);
    } else {
        EXPECT_EQ(session.checkpointCount(), 4u);  // frames 3, 6, 9 and 12
    }
    EXPECT_EQ(session.show(frameCount), Result::OutOfRange);
}

INSTANTIATE_TEST_SUITE_P(Videos, SessionSeeks,
                         ::testing::Values(Case{16, 40, false}, Case{15, 8, false}, Case{16, 270, false},
                                           Case{16, 8, true}, Case{15, 40, true}));

TEST(Session, RgbaWidensEveryPixelWithOpaqueAlpha) {
    const auto video = decoder::test::copyVideo(15, 8, 1, 3);
    PlayerSession session(streamOf(15, 8, video.frames), "one.xqm");
    ASSERT_EQ(session.show(0), Result::Whole);
    std::vector<uint8_t> rgba(size_t(4) * decoder::test::kPictureWidth * 8);
    session.expandToRgba(rgba.data());
    for (size_t i = 0; i < rgba.size() / 4; ++i) {
        const format::Rgb8 colour = format::widenPixel(session.picture()[i], 15);
        ASSERT_EQ(rgba[4 * i], colour.r);
        ASSERT_EQ(rgba[4 * i + 1], colour.g);
        ASSERT_EQ(rgba[4 * i + 2], colour.b);
        ASSERT_EQ(rgba[4 * i + 3], 255);
    }
    EXPECT_EQ(format::widenPixel(0xffff, 16).g, 255);
    EXPECT_EQ(format::widenPixel(0x7fff, 15).r, 255);
    EXPECT_EQ(format::widenPixel(0x8000, 15).r, 0);  // the top bit is not part of a 5-5-5 pixel
    EXPECT_EQ(format::widenPixel(0x0400, 16).g, 0x82);
}

TEST(Session, BytesThatAreNoStreamAreRefusedInTheReadersWords) {
    const std::vector<uint8_t> junk = {'n', 'o', 't', ' ', 'a', ' ', 'v', 'i', 'd', 'e', 'o'};
    try {
        PlayerSession session(junk, "holiday.xqm");
        FAIL() << "opened";
    } catch (const support::FileError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("holiday.xqm: ", 0), 0u) << error.what();
    }
}

// A cut frame is concealed and named; the frames after it still show, and it
// is named again each time it is decoded anew.
TEST(Session, DamagedFramesAreConcealedAndNamed) {
    auto video = decoder::test::copyVideo(16, 16, 6, 11);
    video.frames[4].resize(video.frames[4].size() / 2);
    PlayerSession session(streamOf(16, 16, video.frames), "cut.xqm");
    EXPECT_EQ(session.show(3), Result::Whole);
    EXPECT_EQ(session.show(5), Result::Damaged);
    ASSERT_EQ(session.damage().size(), 1u);
    EXPECT_EQ(session.damage()[0].frame, 4u);
    EXPECT_EQ(session.damage()[0].message.rfind("cut.xqm: frame 4: ", 0), 0u) << session.damage()[0].message;
    EXPECT_EQ(session.shown(), 5);
    EXPECT_EQ(session.show(5), Result::Whole);
    EXPECT_TRUE(session.damage().empty());
    EXPECT_EQ(session.show(1), Result::Whole);
    EXPECT_EQ(session.show(4), Result::Damaged);
}

}  // namespace

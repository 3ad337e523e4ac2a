// The encoder asked for each frame's kind and quality: frames tried again
// leave no trace, rate control reaches the bitrate, repeating frames only
// where quality 1 cannot, no frame passes the byte limit, cuts become intra
// frames, and every frame kept, tried again or not, decodes to the picture
// the encoder keeps.

#include "encoder/video_encoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "decoder/vk6_internal.h"
#include "tests/encoder/test_pictures.h"

namespace encoder {
namespace {

constexpr int kHeight = 64;  // 640 blocks: quick, and still many per frame
constexpr double kFramesPerSecond = 15;

using Clip = std::vector<std::vector<uint8_t>>;

Clip makeClip(int frames, const std::function<std::vector<uint8_t>(int)>& picture) {
    Clip clip;
    for (int frame = 0; frame < frames; ++frame) clip.push_back(picture(frame));
    return clip;
}

// Decodes frames as a player does, into two pictures by turns.
class Player {
public:
    Player() {
        EXPECT_TRUE(decoder_.init(16, kHeight, 640, "XQM6"));
        for (auto& picture : pictures_) picture.assign(size_t(decoder_.pictureRows()) * 640, 0);
    }

    const std::vector<uint16_t>& show(const std::vector<uint8_t>& frame) {
        now_ = 1 - now_;
        EXPECT_TRUE(
            decoder_.decodeFrame(frame.data(), frame.size(), pictures_[1 - now_].data(), pictures_[now_].data()));
        return pictures_[now_];
    }
    const std::vector<uint16_t>& shown() const { return pictures_[now_]; }

private:
    decoder::Decoder decoder_;
    std::vector<uint16_t> pictures_[2];
    int now_ = 1;
};

struct Coded {
    std::vector<EncodedFrame> frames;
    std::vector<bool> repeated;  // shown as the picture before
    double bitsPerSecond = 0;
};

// Encodes the clip, every frame checked against what the decoder shows.
Coded encodeClip(VideoEncoder& encoder, const Clip& clip, std::vector<FirstPassFrame>* measured = nullptr) {
    Coded coded;
    Player player;
    size_t bytes = 0;
    for (const auto& picture : clip) {
        FirstPassFrame frame;
        coded.frames.push_back(encoder.encode(picture.data(), measured ? &frame : nullptr));
        if (measured) measured->push_back(frame);
        bytes += coded.frames.back().bytes.size();
        const std::vector<uint16_t> before = player.shown();
        EXPECT_EQ(player.show(coded.frames.back().bytes), encoder.encoder().reconstruction())
            << "frame " << coded.frames.size() - 1;
        coded.repeated.push_back(coded.frames.size() > 1 && player.shown() == before);
    }
    coded.bitsPerSecond = double(bytes) * 8 * kFramesPerSecond / double(clip.size());
    return coded;
}

VideoSettings settings(size_t maxFrameBytes = 0, bool sceneCuts = true, int intraEvery = 0) {
    VideoSettings video;
    video.encoder.height = kHeight;
    video.encoder.intraEvery = intraEvery;
    video.sceneCuts = sceneCuts;
    video.maxFrameBytes = maxFrameBytes;
    return video;
}

long repeats(const Coded& coded) { return std::count(coded.repeated.begin(), coded.repeated.end(), true); }

std::vector<bool> kinds(const Coded& coded) {
    std::vector<bool> intra;
    for (const EncodedFrame& frame : coded.frames) intra.push_back(frame.intra);
    return intra;
}

TEST(EncoderTriesTest, AFrameTriedAgainComesOutAsIfCodedOnce) {
    const Clip clip =
        makeClip(5, [](int frame) { return frame < 3 ? test::scene(kHeight, frame) : test::text(kHeight); });
    EncoderSettings settings;
    settings.height = kHeight;
    Encoder once(settings), again(settings);
    EXPECT_THROW(again.keep(), std::logic_error);
    EXPECT_THROW(again.tryRepeat(clip[0].data()), std::logic_error);
    EXPECT_THROW(again.mispredictedShare(), std::logic_error);
    for (size_t frame = 0; frame < clip.size(); ++frame) {
        SCOPED_TRACE(frame);
        const uint8_t* source = clip[frame].data();
        const bool intra = frame == 0;
        if (!intra) again.tryRepeat(clip[frame == 1 ? 2 : 0].data());
        again.tryFrame(clip[(frame + 1) % clip.size()].data(), {true, 90});
        again.tryFrame(source, {intra, 20});
        const EncodedFrame kept = again.tryFrame(source, {intra, 75});
        again.keep();
        EXPECT_EQ(kept.bytes, once.tryFrame(source, {intra, 75}).bytes);
        once.keep();
        EXPECT_EQ(again.reconstruction(), once.reconstruction());
    }
}

TEST(VideoEncoderTest, ABitrateIsMetWithinThreePercent) {
    const Clip clip = makeClip(45, [](int frame) { return test::scene(kHeight, frame); });
    for (const double bitrate : {300e3, 900e3}) {
        SCOPED_TRACE(bitrate);
        VideoEncoder encoder(settings(), RateControl(bitrate, kFramesPerSecond, clip.size(), 0));
        const Coded coded = encodeClip(encoder, clip);
        EXPECT_NEAR(coded.bitsPerSecond / bitrate, 1.0, 0.03);
        EXPECT_EQ(repeats(coded), 0);
    }
}

// A detailed first half and a still second half: one pass spends the
// first half's share at the rate, and the second half cannot use its own
// (a quarter short of the rate); the second pass gives the first half more.
TEST(VideoEncoderTest, ASecondPassSpendsWhereTheFirstFoundDetail) {
    const Clip clip =
        makeClip(45, [](int frame) { return frame < 22 ? test::scene(kHeight, frame) : test::ramps(kHeight); });
    VideoSettings first = settings();
    first.encoder.quality = kFirstPassQuality;
    VideoEncoder measuring(first, std::nullopt);
    std::vector<FirstPassFrame> measured;
    const std::vector<bool> firstKinds = kinds(encodeClip(measuring, clip, &measured));
    ASSERT_EQ(measured.size(), clip.size());
    for (const FirstPassFrame& frame : measured) EXPECT_LE(frame.floorBytes, frame.bytes);

    const double bitrate = 150e3;
    VideoEncoder second(settings(), RateControl(bitrate, kFramesPerSecond, measured));
    const Coded coded = encodeClip(second, clip);
    EXPECT_NEAR(coded.bitsPerSecond / bitrate, 1.0, 0.03);
    EXPECT_EQ(repeats(coded), 0);
    EXPECT_EQ(kinds(coded), firstKinds);
    EXPECT_THROW(second.encode(clip[0].data()),
                 EncodeError);  // one frame more than the first pass saw
}

// A pan at halfway between the rates of quality 1 and of repeating every
// frame, in one pass and in two: it takes repeats, each showing the picture
// before, and none in place of an intra frame (the first, and every
// fifteenth after).
TEST(VideoEncoderTest, UnderQuality1FramesRepeatToMeetTheBitrate) {
    const Clip clip = makeClip(45, [](int frame) { return test::scene(kHeight, frame); });
    VideoSettings lowest = settings(0, true, 15);
    lowest.encoder.quality = 1;
    VideoEncoder atQuality1(lowest, std::nullopt);
    const double quality1 = encodeClip(atQuality1, clip).bitsPerSecond;
    Encoder repeating(lowest.encoder);
    repeating.encode(clip[0].data());
    const std::vector<uint8_t> repeat = repeating.tryRepeat(clip[1].data()).bytes;
    const double repeated = double(repeat.size()) * 8 * kFramesPerSecond;
    ASSERT_LT(repeated, quality1 * 0.6);
    const double bitrate = (quality1 + repeated) / 2;

    VideoSettings first = settings(0, true, 15);
    first.encoder.quality = kFirstPassQuality;
    VideoEncoder measuring(first, std::nullopt);
    std::vector<FirstPassFrame> measured;
    encodeClip(measuring, clip, &measured);
    for (const bool twoPasses : {false, true}) {
        SCOPED_TRACE(twoPasses ? "two passes" : "one pass");
        RateControl rate = twoPasses ? RateControl(bitrate, kFramesPerSecond, measured)
                                     : RateControl(bitrate, kFramesPerSecond, clip.size(), 0);
        VideoEncoder encoder(settings(0, true, 15), std::move(rate));
        const Coded coded = encodeClip(encoder, clip);
        EXPECT_NEAR(coded.bitsPerSecond / bitrate, 1.0, 0.03);
        int repeatedFrames = 0;
        for (size_t frame = 0; frame < clip.size(); ++frame) {
            SCOPED_TRACE(frame);
            EXPECT_EQ(coded.frames[frame].intra, frame % 15 == 0);
            if (coded.frames[frame].bytes != repeat) continue;
            ++repeatedFrames;
            EXPECT_TRUE(coded.repeated[frame]);
        }
        EXPECT_GE(repeatedFrames, 10);
    }
}

TEST(VideoEncoderTest, NoFramePassesTheLimit) {
    const Clip noise = makeClip(4, [](int frame) { return test::noise(kHeight, frame); });
    const size_t limit = 6000;  // a noise frame at quality 75 takes 45000
    for (const auto& [cuts, rate] : {std::pair(true, false), std::pair(false, false), std::pair(true, true)}) {
        SCOPED_TRACE(testing::Message() << "cuts " << cuts << ", rate " << rate);
        VideoEncoder encoder(settings(limit, cuts),
                             rate ? std::optional(RateControl(5e6, kFramesPerSecond, 0, 0)) : std::nullopt);
        for (const EncodedFrame& frame : encodeClip(encoder, noise).frames) EXPECT_LE(frame.bytes.size(), limit);
    }
}

size_t intraBytesAtQuality1(const std::vector<uint8_t>& picture) {
    EncoderSettings settings;
    settings.height = kHeight;
    return Encoder(settings).tryFrame(picture.data(), {true, 1}).bytes.size();
}

// At quality 1 an intra frame is nearly all copies, about the same size
// whatever the picture; a limit between two pictures' sizes.
TEST(VideoEncoderTest, UnderTheSmallestIntraFrameCutsArePredictedAndNeededIntraFramesFail) {
    const Clip clip =
        makeClip(4, [](int frame) { return frame == 0 ? test::noise(kHeight, 1) : test::ramps(kHeight); });
    const size_t small = intraBytesAtQuality1(clip[0]), large = intraBytesAtQuality1(clip[1]);
    ASSERT_LT(small, large);
    const size_t limit = (small + large) / 2;
    VideoEncoder cutting(settings(limit), std::nullopt);
    const Coded coded = encodeClip(cutting, clip);
    for (const EncodedFrame& frame : coded.frames) EXPECT_LE(frame.bytes.size(), limit);
    EXPECT_EQ(kinds(coded), (std::vector<bool>{true, false, false, false}));

    VideoEncoder first(settings(limit), std::nullopt);
    try {
        first.encode(clip[1].data());
        ADD_FAILURE() << "the first frame fitted";
    } catch (const EncodeError& error) {
        EXPECT_EQ(std::string(error.what()), "frame 0 cannot be made to fit " + std::to_string(limit) +
                                                 " bytes: its smallest coding, an intra frame at quality 1, takes " +
                                                 std::to_string(large));
    }
    VideoEncoder due(settings(limit, true, 2), std::nullopt);
    due.encode(clip[0].data());
    due.encode(clip[1].data());
    EXPECT_THROW(due.encode(clip[1].data()), EncodeError);
}

// Intra frames at the cut and, with --intra-every 3, three frames after it.
TEST(VideoEncoderTest, ACutBecomesAnIntraFrameUnlessCutsAreOff) {
    const Clip clip =
        makeClip(7, [](int frame) { return frame < 2 ? test::scene(kHeight, frame) : test::mirroredTiles(kHeight); });
    VideoEncoder cutting(settings(0, true, 3), std::nullopt), plain(settings(0, false, 3), std::nullopt);
    EXPECT_EQ(kinds(encodeClip(cutting, clip)), (std::vector<bool>{true, false, true, false, false, true, false}));
    EXPECT_EQ(kinds(encodeClip(plain, clip)), (std::vector<bool>{true, false, false, true, false, false, true}));
}

}  // namespace
}  // namespace encoder

// The handle-based entry points: decoders of their own, several at once.

#include <gtest/gtest.h>

#include <cstdint>
#include <thread>
#include <vector>

#include "decoder/interface/vk6_640x16.h"
#include "tests/decoder/frame_builder.h"
#include "tests/decoder/sample_video.h"
#include "tests/decoder/turn_decoding.h"

namespace {

using decoder::test::decodeByTurns;
using decoder::test::FrameBuilder;
using decoder::test::sampleVideo;
using decoder::test::TurnDecoding;

using decoder::test::kPictureWidth;

struct Video {
    int32_t type;
    int32_t height;
    std::vector<std::vector<uint8_t>> frames;
};

// Decodes a video a frame a call, so that other videos can interleave.
class VideoDecoding {
public:
    explicit VideoDecoding(const Video& video) : video_(video), decoding_(video.type, video.height) {}

    bool done() const { return next_ == video_.frames.size(); }
    void decodeNext() {
        ASSERT_TRUE(decoding_.decode(video_.frames[next_++]));
        pictures_.push_back(decoding_.picture());
    }
    const std::vector<std::vector<uint16_t>>& pictures() const { return pictures_; }

private:
    const Video& video_;
    TurnDecoding decoding_;
    size_t next_ = 0;
    std::vector<std::vector<uint16_t>> pictures_;
};

std::vector<std::vector<uint16_t>> decodeAlone(const Video& video) {
    return decodeByTurns(video.type, video.height, video.frames);
}

TEST(HandleInterface, InterleavedAndThreadedVideosDecodeAsTheyDoAlone) {
    const std::vector<Video> videos = {
        {16, 16, sampleVideo(16, 5, 1)}, {15, 8, sampleVideo(8, 5, 2)}, {16, 30, sampleVideo(30, 5, 3)}};
    std::vector<std::vector<std::vector<uint16_t>>> alone;
    for (const Video& video : videos) alone.push_back(decodeAlone(video));
    EXPECT_NE(alone[0][0][0], alone[0][4][0]) << "the predicted frames change the picture";

    std::vector<std::unique_ptr<VideoDecoding>> decodings;
    for (const Video& video : videos) decodings.push_back(std::make_unique<VideoDecoding>(video));
    for (bool more = true; more;) {
        more = false;
        for (auto& decoding : decodings)
            if (!decoding->done()) {
                decoding->decodeNext();
                more = true;
            }
    }
    for (size_t v = 0; v < videos.size(); ++v) EXPECT_EQ(decodings[v]->pictures(), alone[v]) << "video " << v;

    std::vector<std::vector<std::vector<uint16_t>>> threaded(videos.size());
    std::vector<std::thread> threads;
    for (size_t v = 0; v < videos.size(); ++v) threads.emplace_back([&, v] { threaded[v] = decodeAlone(videos[v]); });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(threaded, alone);
}

TEST(HandleInterface, RefusesWhatInitRefusesAndNullHandles) {
    EXPECT_EQ(XQMPI_CreateDecoder(24, 8), nullptr);
    EXPECT_EQ(XQMPI_CreateDecoder(16, 7), nullptr);
    EXPECT_EQ(XQMPI_CreateDecoder(16, INT32_MAX - 1), nullptr);  // its rows would not fit 32 bits
    EXPECT_EQ(XQMPI_DecoderPictureRows(nullptr), 0);
    uint16_t picture[kPictureWidth * 8] = {};
    EXPECT_EQ(XQMPI_DecoderDecodeFrame(nullptr, "", 1, picture, picture), 0);
    XQMPI_DestroyDecoder(nullptr);

    XQMPI_Decoder* decoder = XQMPI_CreateDecoder(15, 270);
    ASSERT_NE(decoder, nullptr);
    EXPECT_EQ(XQMPI_DecoderPictureRows(decoder), 272);
    XQMPI_DestroyDecoder(decoder);
}

TEST(HandleInterface, AnAbandonedFrameReturnsZero) {
    XQMPI_Decoder* decoder = XQMPI_CreateDecoder(16, 8);
    ASSERT_NE(decoder, nullptr);
    FrameBuilder frame;
    frame.control.code("1111");  // not a code of a predicted frame
    const auto bytes = frame.build(50);
    std::vector<uint16_t> reference(kPictureWidth * 8, 0), target(kPictureWidth * 8, 0);
    EXPECT_EQ(XQMPI_DecoderDecodeFrame(decoder, bytes.data(), uint32_t(bytes.size()), reference.data(), target.data()),
              0);
    XQMPI_DestroyDecoder(decoder);
}

}  // namespace

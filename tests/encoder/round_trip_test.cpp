// Every frame the encoder writes decodes, through an independent decoder, to
// exactly the picture the encoder says the decoder shows.

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "decoder/vk6_internal.h"
#include "encoder/encoder.h"
#include "tests/encoder/test_pictures.h"

namespace encoder {
namespace {

struct RoundTrip {
    int pixelType;
    int height;
    int intraEvery;
    int frames;
    int quality = 75;
    bool cuts = false;  // every frame jumps far and changes its texture
};

class RoundTripTest : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(RoundTripTest, DecoderShowsTheEncodersPicture) {
    const RoundTrip p = GetParam();
    EncoderSettings settings;
    settings.pixelType = p.pixelType;
    settings.height = p.height;
    settings.intraEvery = p.intraEvery;
    settings.quality = p.quality;
    Encoder encoder(settings);

    decoder::Decoder bounded, unbounded;
    ASSERT_TRUE(bounded.init(p.pixelType, p.height, 640, "XQM6"));
    ASSERT_TRUE(unbounded.init(p.pixelType, p.height, 640, "XQM6"));
    const size_t pixels = size_t(bounded.pictureRows()) * 640;
    ASSERT_EQ(encoder.pictureRows(), bounded.pictureRows());
    std::vector<uint16_t> boundedPictures[2] = {std::vector<uint16_t>(pixels), std::vector<uint16_t>(pixels)};
    std::vector<uint16_t> unboundedPictures[2] = {std::vector<uint16_t>(pixels), std::vector<uint16_t>(pixels)};

    for (int frame = 0; frame < p.frames; ++frame) {
        SCOPED_TRACE(frame);
        const auto source = p.cuts ? test::scene(p.height, 37 * frame, 1 + frame) : test::scene(p.height, frame);
        const EncodedFrame encoded = encoder.encode(source.data());
        EXPECT_EQ(encoded.intra, frame == 0 || (p.intraEvery > 0 && frame % p.intraEvery == 0));
        const int now = frame & 1, before = 1 - now;
        ASSERT_TRUE(bounded.decodeFrame(encoded.bytes.data(), encoded.bytes.size(), boundedPictures[before].data(),
                                        boundedPictures[now].data()));
        ASSERT_TRUE(unbounded.decodeFrameUnbounded(encoded.bytes.data(), unboundedPictures[before].data(),
                                                   unboundedPictures[now].data()));
        ASSERT_EQ(boundedPictures[now], encoder.reconstruction());
        ASSERT_EQ(unboundedPictures[now], encoder.reconstruction());
    }
}

INSTANTIATE_TEST_SUITE_P(Encoder, RoundTripTest,
                         ::testing::Values(RoundTrip{16, 480, 0, 4}, RoundTrip{15, 480, 3, 4}, RoundTrip{16, 270, 2, 5},
                                           RoundTrip{15, 270, 0, 3}, RoundTrip{16, 8, 0, 4}, RoundTrip{15, 2, 1, 3},
                                           RoundTrip{16, 480, 0, 3, 5, true}, RoundTrip{15, 136, 0, 4, 100, true}));

TEST(EncoderSettingsTest, SettingsTheDecoderCannotTakeAreRefused) {
    for (EncoderSettings bad :
         {EncoderSettings{.pixelType = 24}, EncoderSettings{.height = 271}, EncoderSettings{.height = 0},
          EncoderSettings{.quality = 0}, EncoderSettings{.intraEvery = -1}, EncoderSettings{.threads = 0}})
        EXPECT_THROW(Encoder{bad}, std::invalid_argument);
}

}  // namespace
}  // namespace encoder

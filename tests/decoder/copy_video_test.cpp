// Videos of every kind of copy through the handle interface: the encoder's
// block writer keeps the pictures the library decodes by turns, and every
// frame after the first reads the undecoded part of its target, so a decoder
// that leaves anything but frame N-2's picture there shows other pictures.

#include <gtest/gtest.h>

#include <tuple>

#include "decoder/interface/vk6_640x16.h"
#include "tests/decoder/copy_video.h"
#include "tests/decoder/turn_decoding.h"

namespace decoder::test {
namespace {

constexpr int kFrames = 5;  // intra, predicted, predicted, intra, predicted

class CopyVideoTest : public ::testing::TestWithParam<std::tuple<int, int>> {
protected:
    int pixelType() const { return std::get<0>(GetParam()); }
    int height() const { return std::get<1>(GetParam()); }
    const CopyVideo video = copyVideo(pixelType(), height(), kFrames, unsigned(7 * height() + pixelType()));
};

TEST_P(CopyVideoTest, TheBlockWriterKeepsThePicturesTheLibraryDecodes) {
    const auto decoded = decodeByTurns(pixelType(), height(), video.frames);
    ASSERT_EQ(decoded.size(), video.pictures.size());
    for (size_t number = 0; number < decoded.size(); ++number)
        EXPECT_TRUE(decoded[number] == video.pictures[number]) << "frame " << number;
}

TEST_P(CopyVideoTest, EveryLaterFrameDecodedOverThePreviousPictureLooksOtherwise) {
    const auto decoded = decodeByTurns(pixelType(), height(), video.frames);
    XQMPI_Decoder* decoder = XQMPI_CreateDecoder(pixelType(), height());
    ASSERT_NE(decoder, nullptr);
    for (size_t number = 1; number < decoded.size(); ++number) {
        std::vector<uint16_t> target = decoded[number - 1];
        const auto& frame = video.frames[number];
        ASSERT_EQ(XQMPI_DecoderDecodeFrame(decoder, frame.data(), uint32_t(frame.size()), decoded[number - 1].data(),
                                           target.data()),
                  1);
        EXPECT_FALSE(target == decoded[number]) << "frame " << number;
    }
    XQMPI_DestroyDecoder(decoder);
}

INSTANTIATE_TEST_SUITE_P(EveryHeightKind, CopyVideoTest,
                         ::testing::Combine(::testing::Values(15, 16), ::testing::Values(2, 8, 16, 40, 270, 480)));

}  // namespace
}  // namespace decoder::test

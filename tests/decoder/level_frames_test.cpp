// Whole frames decoded at every kernel level the processor runs, bit for bit
// as at the reference level: intra frames of DCT blocks at qualities from the
// coarsest (samples far beyond the colour tables) to the finest, mixed
// predicted frames, a dense intra frame and predicted frames with blocks of
// every kind, piece size and symmetry, and a short video, in both pixel
// formats.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decoder/vk6_internal.h"
#include "tests/decoder/sample_video.h"
#include "tests/decoder/synthetic_frames.h"
#include "tests/decoder/textured_frames.h"

namespace decoder {

using format::kPictureWidth;
namespace {

// Decodes frames one after the other, each against the picture before.
std::vector<std::vector<uint16_t>> decodeAll(KernelLevel level, int type, int height,
                                             const std::vector<std::vector<uint8_t>>& frames) {
    Decoder decoder(kernelsFor(level));
    EXPECT_TRUE(decoder.init(type, height, kPictureWidth, "XQM6"));
    const size_t pixels = size_t(decoder.pictureRows()) * kPictureWidth;
    std::vector<std::vector<uint16_t>> pictures;
    std::vector<uint16_t> reference(pixels);
    for (size_t i = 0; i < pixels; ++i) reference[i] = uint16_t(i * 2654435761u >> 16);
    for (const std::vector<uint8_t>& frame : frames) {
        std::vector<uint16_t> target(pixels);
        EXPECT_TRUE(decoder.decodeFrame(frame.data(), frame.size(), reference.data(), target.data()));
        pictures.push_back(target);
        reference = target;
    }
    return pictures;
}

class LevelFrames : public ::testing::TestWithParam<KernelLevel> {
protected:
    void SetUp() override {
        if (GetParam() > bestKernelLevel()) GTEST_SKIP() << "the processor does not run this level";
    }

    void expectSameAsReference(int type, int height, const std::vector<std::vector<uint8_t>>& frames) {
        const auto expected = decodeAll(KernelLevel::Reference, type, height, frames);
        const auto decoded = decodeAll(GetParam(), type, height, frames);
        for (size_t f = 0; f < frames.size(); ++f) {
            size_t differing = 0;
            for (size_t i = 0; i < expected[f].size(); ++i) differing += decoded[f][i] != expected[f][i];
            EXPECT_EQ(differing, 0u) << "frame " << f << ", type " << type;
        }
    }
};

TEST_P(LevelFrames, IntraAndMixedFramesAtEveryQuality) {
    for (int type : {15, 16}) {
        for (int quality : {1, 20, 50, 75, 100}) {
            const unsigned seed = unsigned(quality + type);
            expectSameAsReference(type, test::kSyntheticHeight,
                                  {test::intraDctFrame(seed, quality), test::mixedFrame(seed, quality)});
        }
    }
}

TEST_P(LevelFrames, FramesOfEveryKind) {
    const std::vector<uint8_t> texture = test::plasmaTexture(6);
    const std::vector<std::vector<uint8_t>> frames = {test::denseIntraFrame(texture), test::everyKindFrame(36, texture),
                                                      test::everyKindFrame(37, texture)};
    for (int type : {15, 16}) expectSameAsReference(type, test::kSyntheticHeight, frames);
}

TEST_P(LevelFrames, SampleVideo) { expectSameAsReference(16, 270, test::sampleVideo(270, 6, 3)); }

INSTANTIATE_TEST_SUITE_P(EveryLevel, LevelFrames, ::testing::Values(KernelLevel::Sse2, KernelLevel::Avx2),
                         [](const auto& info) { return std::string(kernelLevelName(info.param)); });

}  // namespace
}  // namespace decoder

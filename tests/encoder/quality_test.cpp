// The pictures come out near their sources, better and larger at higher
// qualities, and predicted frames of a moving scene cost far less than intra
// frames.

#include <gtest/gtest.h>

#include "encoder/encoder.h"
#include "tests/encoder/test_pictures.h"

namespace encoder {
namespace {

struct Measured {
    size_t bytes;
    double psnr;
};

Measured encodeOne(int quality, int pixelType, int intraEvery = 0, int frames = 1) {
    EncoderSettings settings;
    settings.quality = quality;
    settings.pixelType = pixelType;
    settings.intraEvery = intraEvery;
    Encoder encoder(settings);
    Measured m{0, 0};
    for (int frame = 0; frame < frames; ++frame) {
        const auto rgb = test::scene(480, frame);
        m.bytes += encoder.encode(rgb.data()).bytes.size();
        m.psnr = test::psnr(rgb, encoder.reconstruction(), pixelType, 480);
    }
    return m;
}

TEST(EncoderQualityTest, HigherQualitiesGiveCloserAndLargerPictures) {
    for (int pixelType : {15, 16}) {
        SCOPED_TRACE(pixelType);
        const Measured low = encodeOne(30, pixelType), high = encodeOne(90, pixelType);
        EXPECT_GT(low.psnr, 17.0);  // a fifth of the scene is noise
        EXPECT_GT(high.psnr, low.psnr + 3.0);
        EXPECT_GT(high.bytes, low.bytes);
    }
}

// 5-6-5 pixels of the nearest levels would reach 41.7 dB on these ramps: the
// colour conversion's inverse has to aim at the levels' middles to come near.
// A low lambda leaves the picture to DCT blocks rather than cheap copies.
TEST(EncoderQualityTest, SmoothPicturesComeNearTheCeilingOfTheirPixels) {
    EncoderSettings settings;
    settings.quality = 90;
    settings.lambdaScale = 16;
    Encoder encoder(settings);
    const auto rgb = test::ramps(480);
    encoder.encode(rgb.data());
    EXPECT_GT(test::psnr(rgb, encoder.reconstruction(), 16, 480), 39.5);
}

// Copies from the part of an intra frame already decoded take over the flat
// background and the repeated glyphs.
TEST(EncoderQualityTest, IntraFramesOfTextCopyWhatRepeats) {
    const auto rgb = test::text(480);
    size_t bytes[2];
    double quality[2];
    for (int copies = 0; copies < 2; ++copies) {
        EncoderSettings settings;
        settings.targetCandidates = copies == 0 ? 0 : 3;
        Encoder encoder(settings);
        bytes[copies] = encoder.encode(rgb.data()).bytes.size();
        quality[copies] = test::psnr(rgb, encoder.reconstruction(), 16, 480);
    }
    EXPECT_LT(bytes[1] * 3, bytes[0] * 2);
    EXPECT_GT(quality[1], quality[0] - 1.0);
}

// Mirror images of what is decoded already are copies through a symmetry.
TEST(EncoderQualityTest, IntraFramesCopyMirrorImages) {
    const auto rgb = test::mirroredTiles(480);
    size_t bytes[2];
    for (int symmetries = 0; symmetries < 2; ++symmetries) {
        EncoderSettings settings;
        settings.symmetryCandidates = symmetries;
        Encoder encoder(settings);
        bytes[symmetries] = encoder.encode(rgb.data()).bytes.size();
    }
    EXPECT_LT(bytes[1] * 4, bytes[0] * 3);
}

TEST(EncoderQualityTest, APanCostsLittleInPredictedFrames) {
    const Measured predicted = encodeOne(75, 16, 0, 4), intra = encodeOne(75, 16, 1, 4);
    EXPECT_LT(predicted.bytes * 2, intra.bytes);
    EXPECT_GT(predicted.psnr, intra.psnr - 1.0);
}

}  // namespace
}  // namespace encoder

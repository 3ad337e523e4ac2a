// The same frames and settings give the same bytes on every build: 64- and
// 32-bit, Linux and Windows. The fingerprints below are those of the native
// build; a change of the encoder's choices changes them on purpose.

#include <gtest/gtest.h>

#include "encoder/encoder.h"
#include "tests/encoder/test_pictures.h"

namespace encoder {
namespace {

// FNV-1a over every byte of every frame.
uint64_t fingerprint(int pixelType, int height, int intraEvery, int frames) {
    EncoderSettings settings;
    settings.pixelType = pixelType;
    settings.height = height;
    settings.intraEvery = intraEvery;
    Encoder encoder(settings);
    uint64_t hash = 14695981039346656037ull;
    for (int frame = 0; frame < frames; ++frame)
        for (uint8_t byte : encoder.encode(test::scene(height, frame).data()).bytes)
            hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}

TEST(EncoderDeterminismTest, FramesHaveTheirKnownBytes) {
    EXPECT_EQ(fingerprint(16, 480, 0, 3), 12195683512945430362u);
    EXPECT_EQ(fingerprint(15, 270, 2, 3), 1135708390234279828u);
}

}  // namespace
}  // namespace encoder

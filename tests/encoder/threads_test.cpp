// Coding block rows side by side gives the bytes and the picture of coding
// them one after another: intra and predicted frames, one block row and
// many, both pixel types, and pictures that copy from what is decoded of
// themselves, up to the far right of the rows above.

#include <gtest/gtest.h>

#include "encoder/encoder.h"
#include "tests/encoder/test_pictures.h"

namespace encoder {
namespace {

struct Coded {
    std::vector<std::vector<uint8_t>> frames;
    std::vector<uint16_t> picture;  // after the last frame
};

Coded encodeAll(EncoderSettings settings, int threads, const std::vector<std::vector<uint8_t>>& sources) {
    settings.threads = threads;
    Encoder encoder(settings);
    Coded coded;
    for (const std::vector<uint8_t>& source : sources) coded.frames.push_back(encoder.encode(source.data()).bytes);
    coded.picture = encoder.reconstruction();
    return coded;
}

void expectSameOnAnyThreads(const EncoderSettings& settings, const std::vector<std::vector<uint8_t>>& sources) {
    const Coded one = encodeAll(settings, 1, sources);
    for (int threads : {2, 3, 64}) {  // 64: more than can be under way
        const Coded many = encodeAll(settings, threads, sources);
        ASSERT_EQ(many.frames.size(), one.frames.size());
        for (size_t f = 0; f < one.frames.size(); ++f)
            EXPECT_EQ(many.frames[f], one.frames[f]) << threads << " threads, frame " << f;
        EXPECT_EQ(many.picture, one.picture) << threads << " threads";
    }
}

TEST(EncoderThreadsTest, AMovingSceneCodesTheSameOnAnyNumberOfThreads) {
    struct Case {
        int height, pixelType;
    };
    for (const Case c : {Case{2, 15}, Case{8, 16}, Case{40, 15}, Case{40, 16}, Case{480, 16}}) {
        SCOPED_TRACE(testing::Message() << c.height << " rows, pixel type " << c.pixelType);
        EncoderSettings settings;
        settings.height = c.height;
        settings.pixelType = c.pixelType;
        settings.intraEvery = 2;  // intra, predicted, intra
        std::vector<std::vector<uint8_t>> sources;
        for (int frame = 0; frame < 3; ++frame) sources.push_back(test::scene(c.height, frame));
        expectSameOnAnyThreads(settings, sources);
    }
}

TEST(EncoderThreadsTest, PicturesCopyingThemselvesCodeTheSameOnAnyNumberOfThreads) {
    EncoderSettings settings;
    settings.height = 240;
    expectSameOnAnyThreads(settings, {test::text(240), test::mirroredTiles(240)});
    settings.intraEvery = 1;
    expectSameOnAnyThreads(settings, {test::mirroredTiles(240)});
}

}  // namespace
}  // namespace encoder

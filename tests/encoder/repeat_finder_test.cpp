// Repeats of an 8x8 pattern, and of its 4x4 quarters, are found at any pixel
// position once the decoder has passed them; nothing is found for a pattern
// seen nowhere before.

#include "encoder/repeat_finder.h"

#include <gtest/gtest.h>

#include <random>

namespace encoder {
namespace {

TEST(RepeatFinderTest, FindsAnEarlierCopyOfABlockOncePassed) {
    RgbPlanes source;
    source.resize(160);
    std::mt19937 random(2);
    for (size_t i = 0; i < source.red.size(); ++i) {
        source.red[i] = uint8_t(random());
        source.green[i] = uint8_t(random());
        source.blue[i] = uint8_t(random());
    }
    const Point earlier{13, 5}, block{304, 80};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const size_t from = source.at(earlier.x + x, earlier.y + y), to = source.at(block.x + x, block.y + y);
            source.red[to] = source.red[from];
            source.green[to] = source.green[from];
            source.blue[to] = source.blue[from];
        }
    WindowHashes blocks(8);
    blocks.compute(source);
    RepeatFinder finder(blocks);
    finder.addRowsUpTo(4);
    EXPECT_FALSE(finder.find(block));
    finder.addRowsUpTo(72);
    EXPECT_EQ(finder.find(block), earlier);
    EXPECT_FALSE(finder.find({312, 80}));

    // Its lower right quarter as a 4x4 window, seen 75 rows earlier.
    WindowHashes quarterHashes(4);
    quarterHashes.compute(source);
    RepeatFinder quarters(quarterHashes);
    quarters.addRowsUpTo(80);
    EXPECT_EQ(quarters.find({block.x + 4, block.y + 4}), (Point{earlier.x + 4, earlier.y + 4}));
}

}  // namespace
}  // namespace encoder

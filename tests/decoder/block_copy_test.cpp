#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <vector>

#include "decoder/vk6_internal.h"

namespace decoder {

using format::kPictureWidth;
using format::kShapeSizes;
using format::ShapeSize;
using format::sourcePixel;
using format::SourcePixel;
using enum format::CopyShape;
namespace {

constexpr int kRows = 32;

std::vector<uint16_t> randomPicture(unsigned seed) {
    std::vector<uint16_t> picture(kPictureWidth * kRows);
    std::mt19937 random(seed);
    for (uint16_t& pixel : picture) pixel = static_cast<uint16_t>(random());
    return picture;
}

// Distinct pixel values, so that every pixel's origin can be read off.
std::vector<uint16_t> numberedPicture() {
    std::vector<uint16_t> picture(kPictureWidth * kRows);
    std::iota(picture.begin(), picture.end(), uint16_t{0});
    return picture;
}

void copy(int group, int mode, const uint16_t* source, uint16_t* destination) {
    blockCopyTable()[8 * group + mode](source, destination);
}

// Every routine on separate pictures matches the per-pixel definition of its
// symmetry, with sources at even and odd columns, and touches nothing else.
TEST(BlockCopy, EveryRoutineMatchesThePlainSymmetry) {
    const std::vector<uint16_t> source = randomPicture(1);
    for (int group = 0; group < 7; ++group) {
        const ShapeSize size = kShapeSizes[group];
        for (int mode = 0; mode < 8; ++mode) {
            for (int sourceColumn : {8, 13}) {
                std::vector<uint16_t> destination = randomPicture(2), expected = destination;
                const int sourceAt = 5 * kPictureWidth + sourceColumn, destinationAt = 9 * kPictureWidth + 20;
                for (int y = 0; y < size.height; ++y)
                    for (int x = 0; x < size.width; ++x) {
                        const SourcePixel s = sourcePixel(mode, x, y, size.width, size.height);
                        expected[destinationAt + y * kPictureWidth + x] = source[sourceAt + s.y * kPictureWidth + s.x];
                    }
                copy(group, mode, source.data() + sourceAt, destination.data() + destinationAt);
                ASSERT_EQ(destination, expected) << "group " << group << " mode " << mode << " column " << sourceColumn;
            }
        }
    }
}

TEST(BlockCopy, SymmetriesComposeAsOnTheSquare) {
    const std::vector<uint16_t> source = randomPicture(3);
    auto apply = [&](int mode, const std::vector<uint16_t>& from) {
        std::vector<uint16_t> to(from.size(), 0);
        copy(Shape8x8, mode, from.data() + 8 * kPictureWidth + 8, to.data() + 8 * kPictureWidth + 8);
        return to;
    };
    const std::vector<uint16_t> once = apply(0, source);
    for (int mode : {0, 1, 2, 3, 4, 7}) EXPECT_EQ(apply(mode, apply(mode, once)), once) << mode;
    EXPECT_EQ(apply(6, apply(5, once)), once);
    EXPECT_EQ(apply(5, apply(6, once)), once);
}

TEST(BlockCopy, Mode5Of4x8ReadsAWideSourceFromTheBottomUp) {
    const std::vector<uint16_t> source = numberedPicture();
    std::vector<uint16_t> destination(source.size(), 0);
    copy(Shape4x8, 5, source.data() + 2 * kPictureWidth + 4, destination.data() + 16 * kPictureWidth);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(destination[16 * kPictureWidth + x], source[(2 + 3 - x) * kPictureWidth + 4]) << x;
    EXPECT_EQ(destination[23 * kPictureWidth], source[5 * kPictureWidth + 4 + 7]);
}

// ---- overlapping source and destination in one picture ----

TEST(BlockCopyOverlap, PlainCopyOnePixelRightRepeatsAPixel) {
    std::vector<uint16_t> picture = numberedPicture();
    const int at = 4 * kPictureWidth + 16;
    copy(Shape8x8, 0, picture.data() + at - 1, picture.data() + at);
    for (int row = 0; row < 8; ++row) {
        const int base = at + row * kPictureWidth;  // pixels p0..p7 were base..base+7, q = base-1
        const std::vector<uint16_t> got(picture.begin() + base, picture.begin() + base + 8);
        const std::vector<uint16_t> want = {uint16_t(base - 1), uint16_t(base),     uint16_t(base + 1),
                                            uint16_t(base + 2), uint16_t(base + 2), uint16_t(base + 4),
                                            uint16_t(base + 5), uint16_t(base + 6)};
        EXPECT_EQ(got, want) << "row " << row;
    }
}

TEST(BlockCopyOverlap, InPlaceFlipOf2x4ReadsItsLastRowLate) {
    std::vector<uint16_t> picture = numberedPicture();
    const int at = 2 * kPictureWidth + 6;
    const std::vector<uint16_t> before = picture;
    copy(Shape2x4, 2, picture.data() + at, picture.data() + at);
    const int rowOrder[4] = {0, 2, 1, 0};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(picture[at + y * kPictureWidth + x], before[at + rowOrder[y] * kPictureWidth + x])
                << y << "," << x;
}

TEST(BlockCopyOverlap, TwoByTwoCellsReadEverythingFirst) {
    for (int mode = 0; mode < 8; ++mode) {
        for (int shift : {0, 1, -1, kPictureWidth, -kPictureWidth, kPictureWidth + 1}) {
            std::vector<uint16_t> picture = numberedPicture();
            const std::vector<uint16_t> before = picture;
            const int at = 8 * kPictureWidth + 8;
            copy(Shape2x2, mode, picture.data() + at + shift, picture.data() + at);
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 2; ++x) {
                    const SourcePixel s = sourcePixel(mode, x, y, 2, 2);
                    EXPECT_EQ(picture[at + y * kPictureWidth + x], before[at + shift + s.y * kPictureWidth + s.x])
                        << "mode " << mode << " shift " << shift;
                }
        }
    }
}

// The pipelined mirror of an 8-pixel-wide block, with the source one row
// above: row 0 is written before row 1 is read, in the fixed pair order, so
// row 1 sees its two right pairs already rewritten.
TEST(BlockCopyOverlap, WideMirrorReadsThePreviousRowPartlyRewritten) {
    std::vector<uint16_t> picture = numberedPicture();
    const std::vector<uint16_t> old = picture;
    const int at = 8 * kPictureWidth + 8;
    copy(Shape8x4, 1, picture.data() + at - kPictureWidth, picture.data() + at);
    auto original = [&](int row, int x) { return old[at + row * kPictureWidth + x]; };
    for (int x = 0; x < 8; ++x) EXPECT_EQ(picture[at + x], original(-1, 7 - x)) << x;
    // Row 1 mirrors (R0[0..3], R-1[3..0]).
    const uint16_t row1[8] = {original(-1, 0), original(-1, 1), original(-1, 2), original(-1, 3),
                              original(0, 3),  original(0, 2),  original(0, 1),  original(0, 0)};
    for (int x = 0; x < 8; ++x) EXPECT_EQ(picture[at + kPictureWidth + x], row1[x]) << x;
}

// The pipelined mirror of a 4-pixel-wide block with the source one row
// above: the next source row is read half before, half after a write.
TEST(BlockCopyOverlap, NarrowMirrorInterleavesRowsInItsFixedOrder) {
    std::vector<uint16_t> picture = numberedPicture();
    const std::vector<uint16_t> old = picture;
    const int at = 8 * kPictureWidth + 8;
    copy(Shape4x4, 1, picture.data() + at - kPictureWidth, picture.data() + at);
    auto original = [&](int row, int x) { return old[at + row * kPictureWidth + x]; };
    auto row = [&](int y) {
        return std::vector<uint16_t>(picture.begin() + at + y * kPictureWidth,
                                     picture.begin() + at + y * kPictureWidth + 4);
    };
    EXPECT_EQ(row(0), (std::vector<uint16_t>{original(-1, 3), original(-1, 2), original(-1, 1), original(-1, 0)}));
    EXPECT_EQ(row(1), (std::vector<uint16_t>{original(0, 3), original(0, 2), original(0, 1), original(0, 0)}));
    EXPECT_EQ(row(2), (std::vector<uint16_t>{original(1, 3), original(1, 2), original(0, 2), original(0, 3)}));
}

}  // namespace
}  // namespace decoder

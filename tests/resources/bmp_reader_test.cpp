#include "setup/resources/bmp_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace setup {
namespace {

void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A 24-bit file whose pixel (x, y) of the stored order has blue = x, green = y,
// red = 0xEE; rows padded to 4 bytes with 0xAA so padding can be told apart.
std::vector<std::uint8_t> makeBmp(int width, int height) {
    const int rows = height < 0 ? -height : height;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<std::uint8_t> b(54 + static_cast<std::size_t>(stride) * rows, 0xAA);
    std::fill(b.begin(), b.begin() + 54, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, static_cast<std::uint32_t>(b.size()));
    put32(b, 10, 54);
    put32(b, 14, 40);
    put32(b, 18, static_cast<std::uint32_t>(width));
    put32(b, 22, static_cast<std::uint32_t>(height));
    b[26] = 1;
    b[28] = 24;
    for (int s = 0; s < rows; ++s)
        for (int x = 0; x < width; ++x) {
            std::size_t at = 54 + static_cast<std::size_t>(s) * stride + x * 3;
            b[at] = static_cast<std::uint8_t>(x);
            b[at + 1] = static_cast<std::uint8_t>(s);
            b[at + 2] = 0xEE;
        }
    return b;
}

TEST(BmpReader, BottomUpRowsComeOutFromTheTopWithoutPadding) {
    BitmapBits bits;
    ASSERT_TRUE(readBmp24(makeBmp(3, 2), bits));
    EXPECT_EQ(bits.width, 3);
    EXPECT_EQ(bits.height, 2);
    // The first stored row is the bottom one.
    const std::vector<std::uint8_t> expected{0, 1, 0xEE, 1, 1, 0xEE, 2, 1, 0xEE, 0, 0, 0xEE, 1, 0, 0xEE, 2, 0, 0xEE};
    EXPECT_EQ(bits.bgr, expected);
}

TEST(BmpReader, NegativeHeightKeepsTheStoredOrder) {
    BitmapBits bits;
    ASSERT_TRUE(readBmp24(makeBmp(4, -3), bits));
    EXPECT_EQ(bits.height, 3);
    ASSERT_EQ(bits.bgr.size(), 4u * 3 * 3);
    EXPECT_EQ(bits.bgr[1], 0);              // row 0 first
    EXPECT_EQ(bits.bgr[4 * 3 * 2 + 1], 2);  // row 2 last
}

TEST(BmpReader, RefusesAnythingButACompleteUncompressed24BitFile) {
    auto refused = [](std::vector<std::uint8_t> b) {
        BitmapBits bits;
        bits.width = 7;
        bool ok = readBmp24(b, bits);
        return !ok && bits.width == 7;  // untouched on refusal
    };
    auto file = makeBmp(5, 4);
    EXPECT_TRUE(refused({file.begin(), file.end() - 1}));  // last padding byte missing
    EXPECT_TRUE(refused({file.begin(), file.begin() + 30}));

    auto wrongMagic = file;
    wrongMagic[1] = 'A';
    EXPECT_TRUE(refused(wrongMagic));
    auto thirtyTwoBits = file;
    thirtyTwoBits[28] = 32;
    EXPECT_TRUE(refused(thirtyTwoBits));
    auto compressed = file;
    compressed[30] = 1;
    EXPECT_TRUE(refused(compressed));
    auto noWidth = file;
    put32(noWidth, 18, 0);
    EXPECT_TRUE(refused(noWidth));
    auto hugeHeight = file;
    put32(hugeHeight, 22, 0x7FFFFFFF);  // the size check must not overflow
    EXPECT_TRUE(refused(hugeHeight));
    auto pixelsInsideHeader = file;
    put32(pixelsInsideHeader, 10, 20);
    EXPECT_TRUE(refused(pixelsInsideHeader));
}

}  // namespace
}  // namespace setup

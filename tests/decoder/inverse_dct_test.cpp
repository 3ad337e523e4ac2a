#include <gtest/gtest.h>

#include <array>
#include <random>

#include "decoder/vk6_internal.h"

namespace decoder {
namespace {

using Block = std::array<int32_t, 64>;

Block transformed(Block block, uint32_t mask) {
    inverseDctReference(block.data(), mask);
    return block;
}

TEST(InverseDct, DcOnlyFillsTheBlock) {
    Block block{};
    block[0] = -77;
    for (int32_t value : transformed(block, 0x0101)) EXPECT_EQ(value, -77);
}

// Hand-worked: one coefficient a at row 0, column 1 gives the row
// (a, 14a/16, 10a/16, 3a/16, ...) for a = 16 through the fixed fractions.
TEST(InverseDct, SingleRowIsTransformedOnceAndCopiedDown) {
    Block block{};
    block[0] = 0;
    block[1] = 16;
    const Block out = transformed(block, 0x0102);
    const int32_t row[8] = {16, 14, 10, 3, -3, -10, -14, -16};
    for (int i = 0; i < 64; ++i) EXPECT_EQ(out[i], row[i % 8]) << i;
}

// With a = -1 the shifts round toward minus infinity, not toward zero.
TEST(InverseDct, ShiftsAreArithmetic) {
    Block block{};
    block[1] = -1;
    const Block out = transformed(block, 0x0102);
    const int32_t row[8] = {-1, -1, -1, 1, -1, 1, 1, 1};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(out[i], row[i]) << i;
}

TEST(InverseDct, SingleColumnIsTransformedOnceAndFilledAcross) {
    Block block{};
    block[8] = 16;
    const Block out = transformed(block, 0x0201);
    const int32_t column[8] = {16, 14, 10, 3, -3, -10, -14, -16};
    for (int i = 0; i < 64; ++i) EXPECT_EQ(out[i], column[i / 8]) << i;
}

// Full passes in a fixed order, from the same one-dimensional formulas: the
// oracle for the pass order the mask chooses.
void pass(int32_t* x, int stride) {
    const int32_t x0 = x[0], x1 = x[stride], x2 = x[2 * stride], x3 = x[3 * stride];
    const int32_t x4 = x[4 * stride], x5 = x[5 * stride], x6 = x[6 * stride], x7 = x[7 * stride];
    const int32_t t10 = x0 + x4, t11 = x0 - x4, t13 = x2 + x6;
    auto floorDiv = [](int32_t a, int32_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); };
    const int32_t t12 = floorDiv(3 * (x2 - x6), 2) - t13;
    const int32_t z13 = x5 + x3, z10 = x5 - x3, z11 = x1 + x7, z12 = x1 - x7;
    const int32_t t7 = z11 + z13;
    const int32_t u11 = floorDiv(3 * (z11 - z13), 2);
    const int32_t z5 = 30 * (z10 + z12);
    const int32_t u10 = floorDiv(17 * z12 - z5, 16), u12 = floorDiv(z5 - 40 * z10, 16);
    const int32_t t6 = u12 - t7, t5 = u11 - t6, t4 = u10 + t5;
    const int32_t e0 = t10 + t13, e3 = t10 - t13, e1 = t11 + t12, e2 = t11 - t12;
    const int32_t out[8] = {e0 + t7, e1 + t6, e2 + t5, e3 - t4, e3 + t4, e2 - t5, e1 - t6, e0 - t7};
    for (int i = 0; i < 8; ++i) x[i * stride] = out[i];
}

Block columnsThenRows(Block b) {
    for (int c = 0; c < 8; ++c) pass(b.data() + c, 8);
    for (int r = 0; r < 8; ++r) pass(b.data() + 8 * r, 1);
    return b;
}

Block rowsThenColumns(Block b) {
    for (int r = 0; r < 8; ++r) pass(b.data() + 8 * r, 1);
    for (int c = 0; c < 8; ++c) pass(b.data() + c, 8);
    return b;
}

// A block whose coefficients occupy exactly the rows and columns of mask.
Block blockFor(uint32_t mask, std::mt19937& random) {
    Block b{};
    std::uniform_int_distribution<int32_t> value(-3000, 3000);
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 8; ++c)
            if ((mask >> (8 + r) & 1) && (mask >> c & 1)) b[8 * r + c] = value(random);
    return b;
}

TEST(InverseDct, PassOrderFollowsTheSignedByteComparison) {
    std::mt19937 random(7);
    // Column first when rows >= cols as signed bytes, row first otherwise.
    struct Case {
        uint32_t mask;
        bool columnFirst;
    };
    const Case cases[] = {{0x0303, true}, {0x0F07, true}, {0x0107, false}, {0x03FF, true}, {0x8101, false},
                          {0xFF81, true}, {0x8181, true}, {0x7F80, true},  {0xC0C1, false}};
    int orderMattered = 0;
    for (const Case& c : cases) {
        for (int trial = 0; trial < 20; ++trial) {
            const Block in = blockFor(c.mask, random);
            const Block expected = c.columnFirst ? columnsThenRows(in) : rowsThenColumns(in);
            ASSERT_EQ(transformed(in, c.mask), expected) << std::hex << c.mask;
            if (columnsThenRows(in) != rowsThenColumns(in)) ++orderMattered;
        }
    }
    EXPECT_GT(orderMattered, 0);
}

}  // namespace
}  // namespace decoder

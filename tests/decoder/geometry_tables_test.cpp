#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

#include "decoder/vk6_internal.h"
#include "format/vector_word.h"

namespace decoder {
namespace {

// (dx, dy) of a displacement dy * 640 + dx with |dx| < 320.
std::pair<int, int> split(int32_t offset) {
    const int dy = static_cast<int>(std::lround(offset / 640.0));
    return {offset - dy * 640, dy};
}

class GeometryTablesTest : public ::testing::Test {
protected:
    GeometryTablesTest() {
        buildPositionTables(tables);
        buildDisplacementTables(tables);
    }
    GeometryTables tables{};
};

TEST_F(GeometryTablesTest, SpiralStartsAtTheCentreAndEndsAtTheOuterCorner) {
    const std::pair<int, int> first[] = {{1, 0},  {0, 0},  {0, 1},  {1, 1},   {2, 1},  {2, 0},
                                         {2, -1}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}};
    for (int i = 0; i < 12; ++i) EXPECT_EQ(split(tables.spiralOffsets[i]), first[i]) << "entry " << i;
    EXPECT_EQ(tables.spiralOffsets[1], 0);
    EXPECT_EQ(tables.spiralOffsets[4095], 32 * 640 + 32);
}

TEST_F(GeometryTablesTest, SpiralRingsCoverTheSquareOnce) {
    std::set<int32_t> seen;
    for (int ring = 0; ring < 32; ++ring) {
        for (int i = 4 * ring * ring; i < 4 * (ring + 1) * (ring + 1); ++i) {
            const auto [dx, dy] = split(tables.spiralOffsets[i]);
            const double distance = std::max(std::abs(dx - 0.5), std::abs(dy - 0.5));
            EXPECT_EQ(distance, ring + 0.5) << "entry " << i;
            seen.insert(tables.spiralOffsets[i]);
        }
    }
    EXPECT_EQ(seen.size(), 4096u);
}

TEST_F(GeometryTablesTest, NearTablesRunFromTheirLargestDisplacement) {
    EXPECT_EQ(tables.nearOffsets[0], 31 * 640 + 31);
    EXPECT_EQ(tables.nearOffsets[4095], -32 * 640 - 32);
    EXPECT_EQ(tables.nearOffsets[2015], 0);
    EXPECT_EQ(tables.nearOffsets[64], 30 * 640 + 31);
    EXPECT_EQ(tables.intraNearOffsets[0], 6 * 640 + 63);
    EXPECT_EQ(tables.intraNearOffsets[4095], -25 * 640 - 64);
    EXPECT_EQ(tables.intraNearOffsets[831], 0);
    EXPECT_EQ(tables.intraNearOffsets[128], 5 * 640 + 63);
}

TEST_F(GeometryTablesTest, PositionTablesFollowTheZigzagScan) {
    for (int component = 0; component < 3; ++component) {
        EXPECT_EQ(tables.positionMask[component][0], 0x0101u);
        EXPECT_EQ(tables.positionMask[component][2], 0x0201u);  // row 1, column 0
        EXPECT_EQ(tables.positionMask[component][63], 0x8080u);
        EXPECT_EQ(tables.coefficientOffset[component][2], 64u * component + 8);
        EXPECT_EQ(tables.coefficientOffset[component][5], 64u * component + 2);
    }
    std::set<int> naturals(kZigzagToNatural.begin(), kZigzagToNatural.end());
    EXPECT_EQ(naturals.size(), 64u);
}

TEST(ColumnWrap, BringsFarVectorColumnsIntoThePicture) {
    EXPECT_EQ(format::wrapColumn(0 + 128 - 255), 513);
    EXPECT_EQ(format::wrapColumn(632 + 128 - 0), 120);
    EXPECT_EQ(format::wrapColumn(639), 639);
    EXPECT_EQ(format::wrapColumn(640), 0);
    EXPECT_EQ(format::wrapColumn(-1), 639);
}

}  // namespace
}  // namespace decoder

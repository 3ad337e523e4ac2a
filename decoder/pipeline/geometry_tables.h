#pragma once
// Tables that depend on nothing but the picture geometry: where each zigzag
// position lands and which row and column it occupies, and the displacement
// tables of spiral, near and intra-near copies.

#include <array>
#include <cstdint>

#include "format/picture.h"

namespace decoder {

// Natural (row-major) index of each zigzag position.
inline constexpr std::array<uint8_t, 64> kZigzagToNatural = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// Scan positions a code of a DCT block can name: the 64 of the block, and
// beyond them those where the table-driven decoder writes the zeros of a
// code's unused slots (up to the skip limit of 128, plus two).
inline constexpr int kScanPositions = 136;
// Where positions past the block land: a slot after the three blocks that
// only ever receives zeros.
inline constexpr uint32_t kDiscardedCoefficient = 3 * 64;

using PositionTable = std::array<std::array<uint32_t, kScanPositions>, 3>;  // [component][zigzag position]
using OffsetTable = std::array<int32_t, 4096>;

struct GeometryTables {
    PositionTable positionMask;       // PositionMaskTable
    PositionTable coefficientOffset;  // CoefficientOffsetTable
    OffsetTable spiralOffsets;        // SpiralOffsets
    OffsetTable nearOffsets;          // NearOffsets
    OffsetTable intraNearOffsets;     // IntraNearOffsets
};

void buildPositionTables(GeometryTables& tables);
void buildDisplacementTables(GeometryTables& tables);

}  // namespace decoder

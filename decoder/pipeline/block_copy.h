#pragma once
// The BlockCopyTable: 7 shapes x 8 symmetries of the square, each a
// straight-line routine that moves pixel pairs in a fixed order of reads and
// writes. The order decides the result when source and destination overlap.

#include <array>
#include <cstdint>
#include <cstring>

#include "format/picture.h"

#include "format/piece_shapes.h"

namespace decoder {

// Both pointers are top-left pixels in pictures 640 pixels wide; the source
// may lie in the destination's picture.
using BlockCopyFn = void (*)(const uint16_t* source, uint16_t* destination);
using BlockCopyTable = std::array<BlockCopyFn, 56>;

const BlockCopyTable& blockCopyTable();

// A plain copy (mode 0) as whole rows, each one load and one store of its
// width: the table's mode 0 wherever the two regions share no pixel.
template <int Shape>
inline void copyRows(const uint16_t* source, uint16_t* destination) {
    constexpr format::ShapeSize size = format::kShapeSizes[Shape];
#pragma GCC unroll 8
    for (int row = 0; row < size.height; ++row)
        std::memcpy(destination + row * format::kPictureWidth, source + row * format::kPictureWidth, 2 * size.width);
}

}  // namespace decoder

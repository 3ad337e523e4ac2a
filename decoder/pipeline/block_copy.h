#pragma once
// The BlockCopyTable: 7 shapes x 8 symmetries of the square, each a
// straight-line routine that moves pixel pairs in a fixed order of reads and
// writes. The order decides the result when source and destination overlap.

#include <array>
#include <cstdint>

namespace vk6 {

// Shape groups in table order.
enum CopyShape : int { Shape8x8 = 0, Shape4x8 = 1, Shape8x4 = 2, Shape4x4 = 3, Shape2x4 = 4, Shape4x2 = 5, Shape2x2 = 6 };

struct ShapeSize {
    int width;
    int height;
};

// Destination size of each group (width x height).
inline constexpr ShapeSize kShapeSizes[7] = {{8, 8}, {4, 8}, {8, 4}, {4, 4}, {2, 4}, {4, 2}, {2, 2}};

// The source region of a mode: modes 4 to 7 read the transposed shape.
constexpr ShapeSize sourceSize(int group, int mode) {
    const ShapeSize size = kShapeSizes[group];
    return mode < 4 ? size : ShapeSize{size.height, size.width};
}

// Both pointers are top-left pixels in pictures 640 pixels wide; the source
// may lie in the destination's picture.
using BlockCopyFn = void (*)(const uint16_t* source, uint16_t* destination);
using BlockCopyTable = std::array<BlockCopyFn, 56>;

const BlockCopyTable& blockCopyTable();

// Where the destination pixel (x, y) of a w x h block takes its value from,
// in the source region, for each mode.
struct SourcePixel {
    int x;
    int y;
};

constexpr SourcePixel sourcePixel(int mode, int x, int y, int w, int h) {
    switch (mode) {
        case 0: return {x, y};                  // plain copy
        case 1: return {w - 1 - x, y};          // mirror left-right
        case 2: return {x, h - 1 - y};          // mirror top-bottom
        case 3: return {w - 1 - x, h - 1 - y};  // half turn
        case 4: return {h - 1 - y, w - 1 - x};  // mirror in the anti-diagonal
        case 5: return {y, w - 1 - x};          // quarter turn clockwise
        case 6: return {h - 1 - y, x};          // quarter turn anticlockwise
        default: return {y, x};                 // transpose
    }
}

}  // namespace vk6

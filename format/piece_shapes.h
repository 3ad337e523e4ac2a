#pragma once
// The shapes a piece of an 8x8 block can have, in the order of the decoder's
// copy table, and the eight symmetries of the square a copy reads its source
// through (the copy's mode).

namespace format {

enum CopyShape : int {
    Shape8x8 = 0,
    Shape4x8 = 1,
    Shape8x4 = 2,
    Shape4x4 = 3,
    Shape2x4 = 4,
    Shape4x2 = 5,
    Shape2x2 = 6
};
inline constexpr int kCopyShapes = 7;
inline constexpr int kCopyModes = 8;

struct ShapeSize {
    int width;
    int height;
};

// Destination size of each shape (width x height).
inline constexpr ShapeSize kShapeSizes[kCopyShapes] = {{8, 8}, {4, 8}, {8, 4}, {4, 4}, {2, 4}, {4, 2}, {2, 2}};

// The shape as failure reports number it: 10 x width + height (88, 48, ...).
constexpr int shapeNumber(int shape) { return 10 * kShapeSizes[shape].width + kShapeSizes[shape].height; }

// The source region of a mode: modes 4 to 7 read the transposed shape.
constexpr ShapeSize sourceSize(int shape, int mode) {
    const ShapeSize size = kShapeSizes[shape];
    return mode < 4 ? size : ShapeSize{size.height, size.width};
}

// Where the destination pixel (x, y) of a w x h piece takes its value from,
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

}  // namespace format

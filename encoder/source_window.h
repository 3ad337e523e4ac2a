#pragma once
// Where an 8x8 copy source may lie: inside a box of top-left positions and,
// for copies from the picture being decoded, only over pixels the decoder
// has already written (block rows above, blocks to the left in this row).

#include "encoder/copy_codes.h"

namespace encoder {

struct SourceWindow {
    int minX, maxX, minY, maxY;  // top-left corners, inclusive
    Point block;                 // the block being coded
    bool decodedOnly;

    bool allows(Point p) const {
        if (p.x < minX || p.x > maxX || p.y < minY || p.y > maxY) return false;
        return !decodedOnly || isDecoded(p, 8, 8);
    }

    // A width x height region at p lies in what is decoded before `block`.
    bool isDecoded(Point p, int width, int height) const {
        if (p.y + height <= block.y) return true;
        return p.y + height <= block.y + 8 && p.x + width <= block.x;
    }
};

}  // namespace encoder

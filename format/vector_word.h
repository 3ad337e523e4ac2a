#pragma once
// The side words of copies: 16-bit vector words and 12-bit spiral indices.
//   far vector word (blocks, halves, quarters): vy in bits 0-6, vx in bits
//     7-14, bit 15 on top; the source lies at column wrap(X + 128 - vx) and
//     row Y + 64 - vy of the previous picture, or Y + b - vy of the new one
//     (b = 0 for a whole block, 4 for its parts), X, Y the block's corner.
//     A predicted frame's copy reads its mode from 3 control bits and takes
//     the new picture when bit 15 is set; an intra frame's reads 2 control
//     bits as the mode's high bits, bit 15 as its lowest, and always takes
//     the new picture.
//   near vector word (strips, cells): a displacement table's index in bits
//     0-11, the mode in bits 12-14, bit 15 on top (the new picture, in a
//     predicted frame).
//   spiral index: 12 bits; two of them in 3 bytes, the first in the low bits.

#include <cstdint>

#include "format/picture.h"

namespace format {

inline constexpr int kVectorWordBits = 16;
inline constexpr int kSpiralIndexBits = 12;
inline constexpr int kDisplacements = 1 << kSpiralIndexBits;  // entries of each displacement table

// Control bits of a far copy's mode.
constexpr int farModeBits(bool intra) { return intra ? 2 : 3; }

constexpr bool topBit(uint32_t word) { return (word >> 15) != 0; }

struct FarVector {
    int vx;  // 0..255
    int vy;  // 0..127
};

constexpr FarVector unpackFar(uint32_t word) { return {int((word >> 7) & 0xFF), int(word & 0x7F)}; }
constexpr uint16_t packFar(int vx, int vy, int top = 0) { return uint16_t((top << 15) | (vx << 7) | vy); }

// An intra frame's far mode: 2 control bits above the word's top bit.
constexpr uint32_t intraFarMode(uint32_t controlBits, uint32_t word) { return (controlBits << 1) | (word >> 15); }

// Brings a far vector's source column back into 0..639 with one step of 640.
constexpr int wrapColumn(int column) {
    if (column < 0) return column + kPictureWidth;
    if (column >= kPictureWidth) return column - kPictureWidth;
    return column;
}

constexpr int farSourceColumn(int blockX, int vx) { return wrapColumn(blockX + 128 - vx); }
// fromTarget: the new picture; wholeBlock: the copy places the whole 8x8 block.
constexpr int64_t farSourceRow(int64_t blockY, int vy, bool fromTarget, bool wholeBlock) {
    return blockY + (fromTarget ? (wholeBlock ? 0 : 4) : 64) - vy;
}

struct NearVector {
    int index;  // into the displacement table
    int mode;
};

constexpr NearVector unpackNear(uint32_t word) { return {int(word & 0xFFF), int((word >> 12) & 7)}; }
constexpr uint16_t packNear(int index, int mode, int top = 0) { return uint16_t((top << 15) | (mode << 12) | index); }

// Two spiral indices as their 3 bytes (a 24-bit little-endian value) and back.
constexpr uint32_t packSpiralPair(uint32_t first, uint32_t second) { return (first & 0xFFF) | (second & 0xFFF) << 12; }
constexpr uint32_t firstSpiralIndex(uint32_t packed) { return packed & 0xFFF; }
constexpr uint32_t secondSpiralIndex(uint32_t packed) { return (packed >> 12) & 0xFFF; }

}  // namespace format

#pragma once
// The pieces of an 8x8 block and the codes of the two frame kinds' code
// trees: what each choice costs in control bits and side words, and the bits
// to write for it.

#include <array>
#include <cstdint>

#include "pipeline/block_copy.h"

namespace vk6enc {

enum class Level : uint8_t { Block8x8, Half8x4, Half4x8, Quarter, Strip4x2, Strip2x4, Cell };

enum class Choice : uint8_t {
    Still,          // unchanged from the previous picture
    Spiral,         // from the previous picture, moved by a spiral index
    Vector,         // a vector copy from either picture, with a symmetry
    Dct,            // coefficients (whole blocks only)
    SplitHalves8x4,
    SplitHalves4x8,
    SplitQuarters,
    SplitStrips4x2,
    SplitStrips2x4,
    SplitCells,
};

// Pieces of a block: 0 the block, 1-2 its 8x4 halves, 3-4 its 4x8 halves,
// 5-8 its quarters, 9-16 the 4x2 strips, 17-24 the 2x4 strips, 25-40 the
// 2x2 cells, each group in the decoder's numbering.
inline constexpr int kPieces = 41;

struct Piece {
    Level level;
    int group;  // the copy table's shape group
    int x, y;   // corner inside the block
    int width, height;
};

const std::array<Piece, kPieces>& blockPieces();

inline constexpr int kFirstHalf8x4 = 1, kFirstHalf4x8 = 3, kFirstQuarter = 5, kFirstStrip4x2 = 9,
                     kFirstStrip2x4 = 17, kFirstCell = 25;

// The pieces a split divides a piece into, in decoding order; count is 0
// when the split does not apply at the piece's level.
struct SplitParts {
    int count;
    std::array<int, 4> pieces;
};
SplitParts splitParts(int piece, Choice split);

struct Code {
    uint32_t bits;
    int length;  // -1: the choice does not exist at this level of this tree
};

// The control-bit code of a choice at a level.
Code choiceCode(bool intra, Level level, Choice choice);

// Far vector words place blocks, halves and quarters; near ones strips and cells.
constexpr bool usesFarVector(Level level) { return level <= Level::Quarter; }

// Bits a choice costs besides coefficients: its code, the mode bits in the
// control stream, and its side word. -1 where the choice does not exist.
int choiceBits(bool intra, Level level, Choice choice);

}  // namespace vk6enc

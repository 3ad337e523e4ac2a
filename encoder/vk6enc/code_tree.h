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
    Still,   // unchanged from the previous picture
    Spiral,  // from the previous picture, moved by a spiral index
    Vector,  // a vector copy from either picture, with a symmetry
    Dct,     // coefficients (whole blocks only)
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

inline constexpr int kFirstHalf8x4 = 1, kFirstHalf4x8 = 3, kFirstQuarter = 5, kFirstStrip4x2 = 9, kFirstStrip2x4 = 17,
                     kFirstCell = 25;

constexpr Piece makePiece(Level level, int group, int x, int y) {
    const vk6::ShapeSize size = vk6::kShapeSizes[group];
    return {level, group, x, y, size.width, size.height};
}

constexpr std::array<Piece, kPieces> makeBlockPieces() {
    std::array<Piece, kPieces> pieces{};
    pieces[0] = makePiece(Level::Block8x8, vk6::Shape8x8, 0, 0);
    for (int h = 0; h < 2; ++h) {
        pieces[kFirstHalf8x4 + h] = makePiece(Level::Half8x4, vk6::Shape8x4, 0, 4 * h);
        pieces[kFirstHalf4x8 + h] = makePiece(Level::Half4x8, vk6::Shape4x8, 4 * h, 0);
    }
    for (int q = 0; q < 4; ++q) {
        const int qx = 4 * (q & 1), qy = 4 * (q >> 1);
        pieces[kFirstQuarter + q] = makePiece(Level::Quarter, vk6::Shape4x4, qx, qy);
        for (int h = 0; h < 2; ++h) {
            pieces[kFirstStrip4x2 + 2 * q + h] = makePiece(Level::Strip4x2, vk6::Shape4x2, qx, qy + 2 * h);
            pieces[kFirstStrip2x4 + 2 * q + h] = makePiece(Level::Strip2x4, vk6::Shape2x4, qx + 2 * h, qy);
        }
        for (int r = 0; r < 4; ++r)
            pieces[kFirstCell + 4 * q + r] = makePiece(Level::Cell, vk6::Shape2x2, qx + 2 * (r & 1), qy + 2 * (r >> 1));
    }
    return pieces;
}

inline constexpr std::array<Piece, kPieces> kBlockPieces = makeBlockPieces();

// The pieces a split divides a piece into, in decoding order; count is 0
// when the split does not apply at the piece's level.
struct SplitParts {
    int count;
    std::array<int, 4> pieces;
};

struct Code {
    uint32_t bits;
    int length;  // -1: the choice does not exist at this level of this tree
};

// Far vector words place blocks, halves and quarters; near ones strips and cells.
constexpr bool usesFarVector(Level level) { return level <= Level::Quarter; }

inline constexpr int kLevels = 7, kChoices = 10;

// Everything about the code trees the planner asks for every piece, looked up.
struct CodeTables {
    Code code[2][kLevels][kChoices];  // [intra][level][choice]
    int bits[2][kLevels][kChoices];
    SplitParts split[kPieces][kChoices];
};
extern const CodeTables kCodeTables;

// The control-bit code of a choice at a level.
inline Code choiceCode(bool intra, Level level, Choice choice) {
    return kCodeTables.code[intra][int(level)][int(choice)];
}

// Bits a choice costs besides coefficients: its code, the mode bits in the
// control stream, and its side word. -1 where the choice does not exist.
inline int choiceBits(bool intra, Level level, Choice choice) {
    return kCodeTables.bits[intra][int(level)][int(choice)];
}

inline const SplitParts& splitParts(int piece, Choice split) { return kCodeTables.split[piece][int(split)]; }

}  // namespace vk6enc

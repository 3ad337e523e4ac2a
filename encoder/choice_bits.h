#pragma once
// The two frame kinds' code trees (xqm's) as the encoder uses them, and what
// each choice costs in control bits and side words, looked up.

#include <array>
#include <cstdint>

#include "format/code_tree.h"

namespace encoder {

// The encoder writes in the format's terms: its levels, choices, codes and
// the pieces of a block.

// The first piece of each level in the block's numbering.
inline constexpr int kFirstHalf8x4 = format::kFirstPiece[int(format::Level::Half8x4)];
inline constexpr int kFirstHalf4x8 = format::kFirstPiece[int(format::Level::Half4x8)];
inline constexpr int kFirstQuarter = format::kFirstPiece[int(format::Level::Quarter)];
inline constexpr int kFirstStrip4x2 = format::kFirstPiece[int(format::Level::Strip4x2)];
inline constexpr int kFirstStrip2x4 = format::kFirstPiece[int(format::Level::Strip2x4)];
inline constexpr int kFirstCell = format::kFirstPiece[int(format::Level::Cell)];

// Bits a choice costs besides coefficients: its code, the mode bits in the
// control stream, and its side word. -1 where the choice does not exist.
struct ChoiceBits {
    int bits[2][format::kLevels][format::kChoices];  // [intra][level][choice]
};
extern const ChoiceBits kChoiceBits;

inline int choiceBits(bool intra, format::Level level, format::Choice choice) {
    return kChoiceBits.bits[intra][int(level)][int(choice)];
}

}  // namespace encoder

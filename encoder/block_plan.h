#pragma once
// What the encoder decided for one 8x8 block: for every piece either its own
// action or the split it takes (only the pieces on the chosen path are read).

#include <array>
#include <cstdint>

#include "encoder/choice_bits.h"
#include "encoder/copy_codes.h"
#include "encoder/dct_coder.h"
#include "encoder/rd_cost.h"

namespace encoder {

struct PieceAction {
    format::Choice choice = format::Choice::Dct;
    bool fromTarget = false;  // vector copies: from the picture being decoded
    uint8_t mode = 0;
    Point source{};     // top-left of the source region
    uint16_t code = 0;  // spiral index or vector word
};

struct BlockPlan {
    std::array<PieceAction, format::kPieces> actions;
    DctBlock dct;
    Cost cost = 0;
};

}  // namespace encoder

#include "encoder/block_planner.h"

#include <algorithm>

namespace encoder {

namespace {

constexpr format::Choice kSplits[] = {format::Choice::SplitHalves8x4, format::Choice::SplitHalves4x8,
                                      format::Choice::SplitQuarters,  format::Choice::SplitStrips4x2,
                                      format::Choice::SplitStrips2x4, format::Choice::SplitCells};

// The error of every piece from the errors of the 2x2 cells (4 x 4, row-major).
void pieceErrors(const int32_t (&cells)[16], std::array<int64_t, format::kPieces>& errors) {
    for (int q = 0; q < 4; ++q) {
        const int corner = 8 * (q >> 1) + 2 * (q & 1);  // the quarter's top-left cell
        const int64_t a = cells[corner], b = cells[corner + 1], c = cells[corner + 4], d = cells[corner + 5];
        errors[kFirstCell + 4 * q] = a;
        errors[kFirstCell + 4 * q + 1] = b;
        errors[kFirstCell + 4 * q + 2] = c;
        errors[kFirstCell + 4 * q + 3] = d;
        errors[kFirstStrip4x2 + 2 * q] = a + b;
        errors[kFirstStrip4x2 + 2 * q + 1] = c + d;
        errors[kFirstStrip2x4 + 2 * q] = a + c;
        errors[kFirstStrip2x4 + 2 * q + 1] = b + d;
        errors[kFirstQuarter + q] = a + b + c + d;
    }
    const int64_t* quarters = errors.data() + kFirstQuarter;
    errors[kFirstHalf8x4] = quarters[0] + quarters[1];
    errors[kFirstHalf8x4 + 1] = quarters[2] + quarters[3];
    errors[kFirstHalf4x8] = quarters[0] + quarters[2];
    errors[kFirstHalf4x8 + 1] = quarters[1] + quarters[3];
    errors[0] = errors[kFirstHalf8x4] + errors[kFirstHalf8x4 + 1];
}

}  // namespace

BlockPlanner::BlockPlanner(const PlannerContext& context) : context_(context) {
    for (int p = 0; p < format::kPieces; ++p) {
        cheapestBits_[p] = 1 << 20;
        for (format::Choice choice : {format::Choice::Still, format::Choice::Spiral, format::Choice::Vector}) {
            const int bits = choiceBits(context.intra, format::kBlockPieces[p].level, choice);
            if (bits >= 0) cheapestBits_[p] = std::min(cheapestBits_[p], bits);
        }
    }
}

void BlockPlanner::plan(Point block, std::span<const CopySource> candidates, BlockPlan& out) {
    std::array<Own, format::kPieces> own;
    own.fill({kUnreachable, PieceAction{}});
    for (const CopySource& candidate : candidates) considerSource(block, candidate, own);
    // The DCT block first: its cost cuts the symmetric copies' error sums short.
    considerDct(block, own[0], out);
    considerSymmetries(block, candidates, own);
    chooseSplits(own, out);
}

// Every piece copied from the same displacement as the whole block: the
// still, spiral or vector code that reaches it most cheaply.
void BlockPlanner::considerSource(Point block, const CopySource& candidate, std::array<Own, format::kPieces>& own) {
    const RgbPlanes& picture = candidate.fromTarget ? context_.target : *context_.reference;
    int32_t cells[16];
    cellErrors(context_.source, block.x, block.y, picture, candidate.source.x, candidate.source.y, cells);
    std::array<int64_t, format::kPieces> errors;
    pieceErrors(cells, errors);
    const bool intra = context_.intra;
    // Every piece moves by the block's displacement, so a still or spiral code
    // (anchored at the piece) fits all pieces or none; vector words, anchored
    // at the block, differ from piece to piece.
    format::Choice shared = format::Choice::Vector;
    uint16_t sharedCode = 0;
    if (!candidate.fromTarget) {
        if (candidate.source == block) {
            shared = format::Choice::Still;
        } else if (const auto index = context_.codes.spiralIndex(block, candidate.source)) {
            shared = format::Choice::Spiral;
            sharedCode = *index;
        }
    }
    for (int p = 0; p < format::kPieces; ++p) {
        const format::Piece& piece = format::kBlockPieces[p];
        const int64_t error = errors[p];
        // No code of this piece is cheaper than its cheapest choice.
        if (rdCost(error, cheapestBits_[p], context_.lambda) >= own[p].cost) continue;
        const Point from{candidate.source.x + piece.x, candidate.source.y + piece.y};
        PieceAction action{shared, candidate.fromTarget, 0, from, sharedCode};
        if (shared == format::Choice::Vector) {
            const auto word = context_.codes.vectorWord(intra, piece.level, block, from, candidate.fromTarget, 0);
            if (!word) continue;
            action.code = *word;
        }
        const int bits = choiceBits(intra, piece.level, action.choice);
        if (bits < 0) continue;
        const Cost cost = rdCost(error, bits, context_.lambda);
        if (cost < own[p].cost) own[p] = {cost, action};
    }
}

// The block and its quarters, the square pieces whose symmetric copies read
// the same region as the plain ones, through the seven other symmetries of
// the first sources. Intra blocks try all their sources for the whole block:
// the sources are ranked by plain matches, and copies are the only
// alternative to DCT blocks there.
void BlockPlanner::considerSymmetries(Point block, std::span<const CopySource> candidates,
                                      std::array<Own, format::kPieces>& own) {
    const int first = std::min<int>(context_.symmetryCandidates, int(candidates.size()));
    const int tried = context_.intra && first > 0 ? int(candidates.size()) : first;
    for (int c = 0; c < tried; ++c) {
        const CopySource& candidate = candidates[c];
        const RgbPlanes& picture = candidate.fromTarget ? context_.target : *context_.reference;
        const bool quartersToo = c < first;
        for (int p : {0, kFirstQuarter, kFirstQuarter + 1, kFirstQuarter + 2, kFirstQuarter + 3}) {
            if (p != 0 && !quartersToo) break;
            const format::Piece& piece = format::kBlockPieces[p];
            const int bits = choiceBits(context_.intra, piece.level, format::Choice::Vector);
            const Point from{candidate.source.x + piece.x, candidate.source.y + piece.y};
            // A word reaches its source in every mode or in none.
            if (!context_.codes.vectorWord(context_.intra, piece.level, block, from, candidate.fromTarget, 0)) continue;
            for (int mode = 1; mode < 8; ++mode) {
                // Only errors that can beat the best so far need their full sum;
                // a quarter that costs more than the best whole block is no use.
                const Cost bound = std::min(own[p].cost, own[0].cost);
                const int64_t limit = (bound - rdCost(0, bits, context_.lambda)) / 256;
                if (limit < 0) break;
                const int64_t error = symmetricSquareError(context_.source, block.x + piece.x, block.y + piece.y,
                                                           picture, from.x, from.y, piece.width, mode, limit);
                const Cost cost = rdCost(error, bits, context_.lambda);
                if (cost >= bound) continue;
                const auto word =
                    context_.codes.vectorWord(context_.intra, piece.level, block, from, candidate.fromTarget, mode);
                own[p] = {cost, PieceAction{format::Choice::Vector, candidate.fromTarget, uint8_t(mode), from, *word}};
            }
        }
    }
}

void BlockPlanner::considerDct(Point block, Own& whole, BlockPlan& out) {
    if (whole.cost <= rdCost(0, context_.copyGoodEnoughBits, context_.lambda)) return;
    const int codeBits = choiceBits(context_.intra, format::Level::Block8x8, format::Choice::Dct);
    context_.dct.quantise(context_.source, block.x, block.y, out.dct);
    context_.dct.reconstruct(out.dct, context_.kernels, context_.colour, scratch_.data());
    int64_t error = 0;
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 8; ++column) {
            uint8_t r, g, b;
            context_.expander.expand(scratch_[row * kWidth + column], r, g, b);
            const size_t i = context_.source.at(block.x + column, block.y + row);
            const int dr = context_.source.red[i] - r, dg = context_.source.green[i] - g,
                      db = context_.source.blue[i] - b;
            error += dr * dr + dg * dg + db * db;
        }
    const Cost cost = rdCost(error, codeBits + 4 * out.dct.nibbles, context_.lambda);
    if (cost < whole.cost) whole = {cost, PieceAction{format::Choice::Dct, false, 0, block, 0}};
}

// From the cells up: each piece keeps its own action or the split whose
// parts cost less together.
void BlockPlanner::chooseSplits(const std::array<Own, format::kPieces>& own, BlockPlan& out) {
    std::array<Cost, format::kPieces> total;
    for (int p = format::kPieces - 1; p >= 0; --p) {
        total[p] = own[p].cost;
        out.actions[p] = own[p].action;
        const format::Level level = format::kBlockPieces[p].level;
        for (format::Choice split : kSplits) {
            const format::SplitParts parts = splitParts(p, split);
            const int bits = choiceBits(context_.intra, level, split);
            if (parts.count == 0 || bits < 0) continue;
            Cost sum = rdCost(0, bits, context_.lambda);
            for (int i = 0; i < parts.count; ++i) sum += total[parts.pieces[i]];
            if (sum < total[p]) {
                total[p] = sum;
                out.actions[p] = PieceAction{split};
            }
        }
        total[p] = std::min(total[p], kUnreachable);
    }
    out.cost = total[0];
}

}  // namespace encoder

#pragma once
// Chooses how to code one 8x8 block by rate and distortion: every piece's
// best copy among the candidate sources (still, spiral or vector, whichever
// code reaches the source most cheaply), symmetric copies of the block and
// its quarters, and its DCT coding, then the cheapest combination of pieces
// down the code tree.

#include <span>

#include "decoder/vk6_internal.h"
#include "encoder/block_plan.h"
#include "encoder/picture_planes.h"

namespace encoder {

struct CopySource {
    Point source;  // where the whole block would be copied from
    bool fromTarget;
};

struct PlannerContext {
    bool intra;
    const RgbPlanes& source;
    const RgbPlanes* reference;  // none in intra frames
    const RgbPlanes& target;     // the picture being decoded, expanded so far
    const CopyCodes& codes;
    const DctCoder& dct;
    const decoder::BlockKernels& kernels;
    const decoder::ColourTables& colour;
    const PixelExpander& expander;
    Cost lambda;
    int symmetryCandidates;  // first sources also tried with the 7 other modes, for the block and its quarters
    int copyGoodEnoughBits;  // no DCT tried for copies cheaper than lambda times this
};

class BlockPlanner {
public:
    explicit BlockPlanner(const PlannerContext& context);

    void plan(Point block, std::span<const CopySource> candidates, BlockPlan& out);

private:
    struct Own {
        Cost cost;
        PieceAction action;
    };

    void considerSource(Point block, const CopySource& candidate, std::array<Own, format::kPieces>& own);
    void considerSymmetries(Point block, std::span<const CopySource> candidates, std::array<Own, format::kPieces>& own);
    void considerDct(Point block, Own& whole, BlockPlan& out);
    void chooseSplits(const std::array<Own, format::kPieces>& own, BlockPlan& out);

    const PlannerContext& context_;
    std::array<int, format::kPieces> cheapestBits_;   // of the copy choices of each piece
    std::array<uint16_t, 7 * kWidth + 8> scratch_{};  // one reconstructed block, rows 640 apart
};

}  // namespace encoder

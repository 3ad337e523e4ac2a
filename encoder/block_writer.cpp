#include "encoder/block_writer.h"

#include "decoder/vk6_internal.h"

namespace encoder {

void BlockWriter::write(Point block, const BlockPlan& plan) { writePiece(block, plan, 0); }

void BlockWriter::writePiece(Point block, const BlockPlan& plan, int p) {
    const format::Piece& piece = format::kBlockPieces[p];
    const PieceAction& action = plan.actions[p];
    const format::Code code = choiceCode(context_.intra, piece.level, action.choice);
    streams_.control.put(code.bits, code.length);
    const format::SplitParts parts = splitParts(p, action.choice);
    for (int i = 0; i < parts.count; ++i) writePiece(block, plan, parts.pieces[i]);
    if (parts.count > 0) return;

    switch (action.choice) {
        case format::Choice::Dct:
            context_.dct.write(plan.dct, streams_.nibbles);
            context_.dct.reconstruct(plan.dct, context_.kernels, context_.colour,
                                     context_.target + block.y * format::kPictureWidth + block.x);
            return;
        case format::Choice::Spiral: streams_.spirals.put(action.code); break;
        case format::Choice::Vector:
            if (format::usesFarVector(piece.level)) {
                // The mode goes to the control bits; an intra frame keeps its lowest bit in the word.
                if (context_.intra) {
                    streams_.control.put(action.mode >> 1, 2);
                } else {
                    streams_.control.put(action.mode, 3);
                }
            }
            streams_.vectors.push_back(action.code);
            break;
        default: break;  // still copies carry nothing but their code
    }
    applyCopy(block, piece, action);
}

void BlockWriter::applyCopy(Point block, const format::Piece& piece, const PieceAction& action) {
    const uint16_t* picture = action.fromTarget ? context_.target : context_.reference;
    const Point corner{block.x + piece.x, block.y + piece.y};
    // A still copy's code names no source: it is the piece's own place.
    const Point source = action.choice == format::Choice::Still ? corner : action.source;
    const decoder::BlockCopyFn copy = (*context_.kernels.copies)[8 * piece.shape + action.mode];
    copy(picture + source.y * format::kPictureWidth + source.x,
         context_.target + corner.y * format::kPictureWidth + corner.x);
}

}  // namespace encoder

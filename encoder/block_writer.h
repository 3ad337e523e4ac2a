#pragma once
// Writes a planned block into the frame's streams in the decoder's order and
// applies it to the picture being decoded with the decoder's own kernels, so
// the encoder's picture is the one the decoder will show.

#include "decoder/vk6_internal.h"
#include "encoder/block_plan.h"
#include "encoder/frame_streams.h"

namespace encoder {

struct WriterContext {
    bool intra;
    const DctCoder& dct;
    const decoder::BlockKernels& kernels;
    const decoder::ColourTables& colour;
    const uint16_t* reference;  // none in intra frames
    uint16_t* target;
};

class BlockWriter {
public:
    BlockWriter(const WriterContext& context, FrameStreams& streams) : context_(context), streams_(streams) {}

    void write(Point block, const BlockPlan& plan);

private:
    void writePiece(Point block, const BlockPlan& plan, int piece);
    void applyCopy(Point block, const format::Piece& piece, const PieceAction& action);

    const WriterContext& context_;
    FrameStreams& streams_;
};

}  // namespace encoder

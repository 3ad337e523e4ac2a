#pragma once
// The body of one frame decode: header, stream readers, dequantisation and
// nibble window set-up, then the block loop, which walks the code tree of the
// frame's kind as xqm's code tables give it. Every copy source is checked
// against its picture (one test per copy); for a frame of known size the
// header's offsets are checked once, and the ends of the streams once per 8x8
// block that read outside the frame; and an abandoned frame leaves a
// DecodeReport of why and where. A driver made with an observer tells it
// every piece it decodes; one without has no cost for it.

#include <cstdint>

#include "decoder/pipeline/block_kernels.h"
#include "decoder/pipeline/block_walk_observer.h"
#include "decoder/pipeline/decode_report.h"
#include "decoder/pipeline/decoder.h"
#include "decoder/pipeline/frame_bytes.h"
#include "decoder/pipeline/streams.h"
#include "format/code_tree.h"
#include "format/frame_header.h"

namespace decoder {

template <bool Observed>
class FrameDriver {
public:
    FrameDriver(DecoderState& state, const BlockKernels& kernels, FrameBytes bytes, int64_t picturePixels,
                BlockWalkObserver* observer = nullptr);

    // Returns false when the frame is abandoned; report() then tells why.
    bool run(const uint16_t* reference, uint16_t* target);
    const DecodeReport& report() const { return report_; }

private:
    using Choice = format::Choice;
    using Level = format::Level;

    template <bool Intra>
    bool decodeBlockRows();

    // The first header offset outside the frame, as the index of its word; 0 for none.
    int misplacedHeaderWord() const;
    bool streamsOverran() const;
    // Records the failure of the piece being decoded and returns false.
    [[gnu::cold, gnu::noinline]] bool fail(format::DecodeError code, format::StreamId stream, int piece = -1);
    [[gnu::cold]] bool failFrame(format::DecodeError code, int64_t offset);
    // Completes the report of the failed block, a stream's overrun first.
    bool abandonBlock();
    int64_t lastUnit(format::StreamId stream) const;

    // One piece of the given level: its code, then what the code says.
    template <bool Intra, Level AtLevel>
    bool decodePiece(int piece);
    template <bool Intra, Level AtLevel, Choice Split>
    bool decodeParts(int piece);

    bool decodeDctBlock();
    bool stillBlockRun();
    // shape: the piece's shape; piece: its number in the block.
    // Each copy action for the shape of its level, known when it is compiled.
    template <int Shape>
    bool stillCopy(int piece);
    template <int Shape>
    bool spiralCopy(int piece);
    // Far vectors place 8x8 blocks, halves and quarters.
    template <int Shape>
    bool predictedFarCopy(int piece);
    template <int Shape>
    bool intraFarCopy(int piece);
    template <int Shape>
    bool farCopy(int piece, uint32_t mode, uint32_t word, bool fromTarget);
    // Near vectors place strips and cells.
    template <int Shape>
    bool nearCopy(int piece, bool intra);
    // The stream that gave the source's place, for the report (a template
    // argument: one more run-time argument would go on the stack).
    template <format::StreamId Stream, int Shape>
    bool copy(const uint16_t* picture, int64_t sourceOffset, uint32_t mode, int piece);
    // Block rows still across the whole width are copied together, as one
    // span, when the next action needs them or the frame ends.
    void copyPendingStillRows();

    void observe(int piece, Choice choice, int mode = 0, bool fromTarget = false) {
        if constexpr (Observed) observer_->piece(piece, choice, mode, fromTarget);
    }
    void observeBlockDone() {
        if constexpr (Observed) observer_->blockDone();
    }

    DecoderState& state_;
    const BlockKernels& kernels_;
    FrameBytes bytes_;
    int64_t picturePixels_;
    BlockWalkObserver* observer_;
    int64_t nibbleCells_ = 0;  // of the nibble stream; unlimited for a frame of unknown size
    format::FrameHeader header_{};
    DecodeReport report_{};
    ControlBitReader control_;
    VectorWordReader vectors_;
    SpiralIndexReader spiral_;
    const uint16_t* reference_ = nullptr;
    uint16_t* target_ = nullptr;
    bool disjoint_ = false;                      // reference and target share no pixel
    int64_t pendingStart_ = 0, pendingEnd_ = 0;  // still rows not copied yet, in pixels
    int blockX_ = 0;
    int64_t blockY_ = 0;  // may pass any int32 height
};

}  // namespace decoder

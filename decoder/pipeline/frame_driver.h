#pragma once
// The body of one frame decode: header, stream readers, dequantisation and
// nibble window set-up, then the block loop with the code tree of the frame's
// kind. Every copy source is checked against its picture (one test per copy);
// for a frame of known size the header's offsets are checked once, and the
// ends of the streams once per 8x8 block that read outside the frame; and an abandoned frame leaves a
// DecodeReport of why and where.

#include <cstdint>

#include "pipeline/block_kernels.h"
#include "pipeline/decode_report.h"
#include "pipeline/decoder.h"
#include "pipeline/frame_bytes.h"
#include "pipeline/frame_header.h"
#include "pipeline/streams.h"

namespace vk6 {

class FrameDriver {
public:
    FrameDriver(DecoderState& state, const BlockKernels& kernels, FrameBytes bytes, int64_t picturePixels);

    // Returns false when the frame is abandoned; report() then tells why.
    bool run(const uint16_t* reference, uint16_t* target);
    const DecodeReport& report() const { return report_; }

private:
    // Piece corners relative to the 8x8 block, in pixels.
    struct Corner {
        int x;
        int y;
    };

    bool decodePredictedFrame();
    bool decodeIntraFrame();
    bool decodeBlockRows(bool (FrameDriver::*decodeBlock)());

    // The first header offset outside the frame, as the index of its word; 0 for none.
    int misplacedHeaderWord() const;
    bool streamsOverran() const;
    // Records the failure of the piece being decoded and returns false.
    [[gnu::cold, gnu::noinline]] bool fail(DecodeError code, StreamId stream, int group = -1, Corner piece = {});
    [[gnu::cold]] bool failFrame(DecodeError code, int64_t offset);
    // Completes the report of the failed block, a stream's overrun first.
    bool abandonBlock();
    int64_t lastUnit(StreamId stream) const;

    bool predictedBlock();
    bool predictedHalf8x4(int half);
    bool predictedHalf4x8(int half);
    bool predictedQuarter(int quarter);
    bool predictedStrip4x2(int strip);
    bool predictedStrip2x4(int strip);
    bool predictedCell(int cell);

    bool intraBlock();
    bool intraHalf8x4(int half);
    bool intraHalf4x8(int half);
    bool intraQuarter(int quarter);
    bool intraStrip4x2(int strip);
    bool intraStrip2x4(int strip);

    bool decodeDctBlock();
    bool stillBlockRun();
    bool stillCopy(int group, Corner piece);
    bool spiralCopy(int group, Corner piece);
    // Far vectors place 8x8 blocks, halves and quarters.
    bool predictedFarCopy(int group, Corner piece);
    bool intraFarCopy(int group, Corner piece);
    bool farCopy(int group, Corner piece, uint32_t mode, uint32_t word, bool fromTarget);
    // Near vectors place strips and cells.
    bool nearCopy(int group, Corner piece, bool intra);
    // The stream that gave the source's place, for the report (a template
    // argument: one more run-time argument would go on the stack).
    template <StreamId Stream>
    bool copy(const uint16_t* picture, int64_t sourceOffset, int group, uint32_t mode, Corner piece);

    static Corner quarterCorner(int quarter) { return {4 * (quarter & 1), 4 * (quarter >> 1)}; }
    static Corner cellCorner(int cell);
    static int firstCellOfStrip2x4(int strip) { return 4 * (strip >> 1) + (strip & 1); }

    DecoderState& state_;
    const BlockKernels& kernels_;
    FrameBytes bytes_;
    int64_t picturePixels_;
    int64_t nibbleCells_ = 0;  // of the nibble stream; unlimited for a frame of unknown size
    FrameHeader header_{};
    DecodeReport report_{};
    ControlBitReader control_;
    VectorWordReader vectors_;
    SpiralIndexReader spiral_;
    const uint16_t* reference_ = nullptr;
    uint16_t* target_ = nullptr;
    int blockX_ = 0;
    int64_t blockY_ = 0;  // may pass any int32 height
};

}  // namespace vk6

#pragma once
// The video decoder: one object per video, holding its DecoderState. Objects
// share nothing, so several videos can be decoded at once on different threads.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "decoder/pipeline/block_kernels.h"
#include "decoder/pipeline/block_walk_observer.h"
#include "decoder/pipeline/coefficient_blocks.h"
#include "decoder/pipeline/colour_conversion.h"
#include "decoder/pipeline/decode_report.h"
#include "decoder/pipeline/dequant_tables.h"
#include "decoder/pipeline/geometry_tables.h"
#include "decoder/pipeline/nibble_window.h"

namespace decoder {

struct DecoderState {
    int32_t height = 0;
    ColourTables colour{};
    GeometryTables geometry{};
    DequantTables dequant{};
    int dequantQuality = 0;  // the quality dequant was built for; 0 before the first frame
    NibbleWindow window{};
    CoefficientBlocks coefficients{};
};

class Decoder {
public:
    explicit Decoder(const BlockKernels& kernels = defaultKernels());
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    // type 15 (5-5-5) or 16 (5-6-5); height even; width 640; header "XQM6" in
    // any letter case. A rejected call leaves the decoder as it was.
    bool init(int32_t type, int32_t height, int32_t width, const char* header);
    bool initialised() const { return initialised_; }

    // Decodes a frame of frameSize bytes. Returns false, keeping what was
    // decoded so far, when the decoder is not initialised or the frame is
    // malformed (a header offset outside the frame, an unassigned code, a value
    // past coefficient 63, a copy whose source leaves its picture, a stream
    // used past its end); lastReport() tells why and where.
    bool decodeFrame(const void* frame, size_t frameSize, const uint16_t* reference, uint16_t* target);
    // The same for a frame of unknown size: the caller guarantees that every
    // stream can be read to its end plus 4 bytes. Neither the header's offsets
    // nor the streams' ends can be checked.
    bool decodeFrameUnbounded(const void* frame, const uint16_t* reference, uint16_t* target);

    // The report of the last decode: code None after a frame decoded whole.
    const DecodeReport& lastReport() const { return report_; }
    // With concealment on, an abandoned frame's target shows the reference
    // from the failed block on (concealment.h). Off at first.
    void setConcealment(bool on) { conceal_ = on; }

    // Tells the observer every piece of every frame decoded from now on; null
    // for none, as at first.
    void setBlockObserver(BlockWalkObserver* observer) { observer_ = observer; }

    // Rows of each picture buffer: whole blocks, at least one block row.
    int64_t pictureRows() const;
    const DecoderState& state() const { return *state_; }

private:
    bool decode(const void* frame, int64_t frameSize, const uint16_t* reference, uint16_t* target);

    const BlockKernels& kernels_;
    std::unique_ptr<DecoderState> state_;
    bool initialised_ = false;
    bool conceal_ = false;
    BlockWalkObserver* observer_ = nullptr;
    DecodeReport report_{};
};

}  // namespace decoder

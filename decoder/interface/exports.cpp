// The exported C entry points: the game's over one process-wide decoder, and
// the handle-based ones over a decoder per handle.

#include "decoder/interface/vk6_640x16.h"

#include <cstdint>
#include <new>

#include "decoder/pipeline/decode_report.h"
#include "decoder/pipeline/decoder.h"

namespace {

using format::DecodeError;
using format::StreamId;
static_assert(int(DecodeError::None) == XQMPI_ERROR_NONE &&
              int(DecodeError::NullArgument) == XQMPI_ERROR_NULL_ARGUMENT &&
              int(DecodeError::NotInitialised) == XQMPI_ERROR_NOT_INITIALISED &&
              int(DecodeError::HeaderOffset) == XQMPI_ERROR_HEADER_OFFSET &&
              int(DecodeError::NoReference) == XQMPI_ERROR_NO_REFERENCE &&
              int(DecodeError::NotACode) == XQMPI_ERROR_NOT_A_CODE &&
              int(DecodeError::CopyOutside) == XQMPI_ERROR_COPY_OUTSIDE &&
              int(DecodeError::CoefficientPast63) == XQMPI_ERROR_COEFFICIENT_PAST_63 &&
              int(DecodeError::TooManySkips) == XQMPI_ERROR_TOO_MANY_SKIPS &&
              int(DecodeError::ControlPastEnd) == XQMPI_ERROR_CONTROL_PAST_END &&
              int(DecodeError::VectorPastEnd) == XQMPI_ERROR_VECTOR_PAST_END &&
              int(DecodeError::SpiralPastEnd) == XQMPI_ERROR_SPIRAL_PAST_END &&
              int(DecodeError::NibblePastEnd) == XQMPI_ERROR_NIBBLE_PAST_END &&
              format::kDecodeErrorCount == XQMPI_ERROR_NIBBLE_PAST_END + 1);
static_assert(int(StreamId::Header) == XQMPI_STREAM_HEADER && int(StreamId::Control) == XQMPI_STREAM_CONTROL &&
              int(StreamId::Vector) == XQMPI_STREAM_VECTOR && int(StreamId::Spiral) == XQMPI_STREAM_SPIRAL &&
              int(StreamId::Nibble) == XQMPI_STREAM_NIBBLE);

decoder::Decoder& processDecoder() {
    static decoder::Decoder decoder;
    return decoder;
}

}  // namespace

// The handle is the decoder itself.
struct XQMPI_Decoder {
    decoder::Decoder decoder;
};

extern "C" {

XQMPI_EXPORT int32_t XQMPI_CALL XQMPI_Init(int32_t type, int32_t height, int32_t width, const char* header) {
    return processDecoder().init(type, height, width, header) ? 1 : 0;
}

XQMPI_EXPORT int32_t XQMPI_CALL XQMPI_DecodeFrame(const void* frame, const uint16_t* reference, uint16_t* target) {
    return processDecoder().decodeFrameUnbounded(frame, reference, target) ? 1 : 0;
}

XQMPI_EXPORT int32_t XQMPI_CALL XQMPI_DecodeFrameBounded(const void* frame, uint32_t frameSize,
                                                         const uint16_t* reference, uint16_t* target) {
    return processDecoder().decodeFrame(frame, frameSize, reference, target) ? 1 : 0;
}

XQMPI_EXPORT int32_t XQMPI_CALL XQMPI_Cleanup(void) { return 1; }

XQMPI_EXPORT XQMPI_Decoder* XQMPI_CALL XQMPI_CreateDecoder(int32_t type, int32_t height) {
    XQMPI_Decoder* handle = nullptr;
    try {
        handle = new XQMPI_Decoder;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    // The rows of a picture must be told in 32 bits.
    if (!handle->decoder.init(type, height, format::kPictureWidth, "XQM6") ||
        handle->decoder.pictureRows() > INT32_MAX) {
        delete handle;
        return nullptr;
    }
    return handle;
}

XQMPI_EXPORT int32_t XQMPI_CALL XQMPI_DecoderPictureRows(const XQMPI_Decoder* decoder) {
    return decoder == nullptr ? 0 : int32_t(decoder->decoder.pictureRows());
}

XQMPI_EXPORT int32_t XQMPI_CALL XQMPI_DecoderDecodeFrame(XQMPI_Decoder* decoder, const void* frame, uint32_t frameSize,
                                                         const uint16_t* reference, uint16_t* target) {
    if (decoder == nullptr) return 0;
    return decoder->decoder.decodeFrame(frame, frameSize, reference, target) ? 1 : 0;
}

XQMPI_EXPORT int32_t XQMPI_CALL XQMPI_DecoderLastError(const XQMPI_Decoder* decoder, XQMPI_ErrorReport* report) {
    decoder::DecodeReport last;
    if (decoder == nullptr)
        last.code = DecodeError::NullArgument;
    else
        last = decoder->decoder.lastReport();
    if (report != nullptr) {
        // Offsets come from 32-bit header words and frame sizes, plus a unit.
        const int64_t offset = last.offset < 0 ? 0 : last.offset > int64_t{UINT32_MAX} ? UINT32_MAX : last.offset;
        *report = {int32_t(last.code),   last.x,          last.y, last.pieceShape, last.pieceIndex,
                   int32_t(last.stream), uint32_t(offset)};
    }
    return int32_t(last.code);
}

XQMPI_EXPORT const char* XQMPI_CALL XQMPI_DecoderErrorText(int32_t code) { return format::decodeErrorText(code); }

XQMPI_EXPORT int32_t XQMPI_CALL XQMPI_DecoderSetConcealment(XQMPI_Decoder* decoder, int32_t on) {
    if (decoder == nullptr) return 0;
    decoder->decoder.setConcealment(on != 0);
    return 1;
}

XQMPI_EXPORT void XQMPI_CALL XQMPI_DestroyDecoder(XQMPI_Decoder* decoder) { delete decoder; }

}  // extern "C"

// The exported C entry points: the game's over one process-wide decoder, and
// the handle-based ones over a decoder per handle.

#include "vk6_640x16.h"

#include <cstdint>
#include <new>

#include "pipeline/decoder.h"

namespace {

vk6::Decoder& processDecoder() {
    static vk6::Decoder decoder;
    return decoder;
}

}  // namespace

// The handle is the decoder itself.
struct XQMPI_Decoder {
    vk6::Decoder decoder;
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
    if (!handle->decoder.init(type, height, 640, "XQM6") || handle->decoder.pictureRows() > INT32_MAX) {
        delete handle;
        return nullptr;
    }
    return handle;
}

XQMPI_EXPORT int32_t XQMPI_CALL XQMPI_DecoderPictureRows(const XQMPI_Decoder* decoder) {
    return decoder == nullptr ? 0 : int32_t(decoder->decoder.pictureRows());
}

XQMPI_EXPORT int32_t XQMPI_CALL XQMPI_DecoderDecodeFrame(XQMPI_Decoder* decoder, const void* frame,
                                                         uint32_t frameSize, const uint16_t* reference,
                                                         uint16_t* target) {
    if (decoder == nullptr) return 0;
    return decoder->decoder.decodeFrame(frame, frameSize, reference, target) ? 1 : 0;
}

XQMPI_EXPORT void XQMPI_CALL XQMPI_DestroyDecoder(XQMPI_Decoder* decoder) { delete decoder; }

}  // extern "C"

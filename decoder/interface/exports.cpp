// The exported C entry points over one process-wide decoder.

#include "vk6_640x16.h"

#include "pipeline/decoder.h"

namespace {

vk6::Decoder& processDecoder() {
    static vk6::Decoder decoder;
    return decoder;
}

}  // namespace

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

}  // extern "C"

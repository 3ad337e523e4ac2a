#pragma once
// The library's handle entry points as a table: those a program links, or
// those it finds by name in a VK6_640x16.dll it loads itself, as the game
// does. FrameSequence decodes through either.

#include "decoder/interface/vk6_640x16.h"

namespace decoder {

struct HandleFunctions {
    XQMPI_Decoder*(XQMPI_CALL* create)(int32_t type, int32_t height);
    void(XQMPI_CALL* destroy)(XQMPI_Decoder*);
    int32_t(XQMPI_CALL* setConcealment)(XQMPI_Decoder*, int32_t on);
    int32_t(XQMPI_CALL* pictureRows)(const XQMPI_Decoder*);
    int32_t(XQMPI_CALL* decodeFrame)(XQMPI_Decoder*, const void* frame, uint32_t frameSize, const uint16_t* reference,
                                     uint16_t* target);
    int32_t(XQMPI_CALL* lastError)(const XQMPI_Decoder*, XQMPI_ErrorReport*);
    const char*(XQMPI_CALL* errorText)(int32_t code);
};

// The entry points of the library the program is linked with.
inline HandleFunctions linkedHandleFunctions() {
    return {XQMPI_CreateDecoder,      XQMPI_DestroyDecoder,   XQMPI_DecoderSetConcealment, XQMPI_DecoderPictureRows,
            XQMPI_DecoderDecodeFrame, XQMPI_DecoderLastError, XQMPI_DecoderErrorText};
}

}  // namespace decoder

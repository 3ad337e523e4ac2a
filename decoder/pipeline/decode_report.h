#pragma once
// Why and where a frame was abandoned: the error, the 8x8 block and the piece
// of it that failed, and the stream whose reader decoding stopped in.

#include <cstdint>

#include "format/decode_errors.h"

namespace decoder {

struct DecodeReport {
    format::DecodeError code = format::DecodeError::None;
    int32_t x = -1;  // the 8x8 block's top-left pixel; -1 for the frame as a whole
    int32_t y = -1;
    int32_t pieceShape = 0;   // 10 x width + height of the piece (88, 84, 48, 44, 42, 24, 22); 0 for none
    int32_t pieceIndex = -1;  // the piece's number inside its block; -1 for none
    format::StreamId stream = format::StreamId::Header;
    int64_t offset = 0;  // from the frame's start: the last unit the stream's reader used

    bool whole() const { return code == format::DecodeError::None; }
};

}  // namespace decoder

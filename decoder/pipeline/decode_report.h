#pragma once
// Why and where a frame was abandoned: the error, the 8x8 block and the piece
// of it that failed, and the stream whose reader decoding stopped in. The
// numbers are those of the C interface (vk6_640x16.h checks that they agree).

#include <cstdint>

namespace vk6 {

enum class DecodeError : int32_t {
    None = 0,
    NullArgument = 1,
    NotInitialised = 2,
    HeaderOffset = 3,
    NoReference = 4,
    NotACode = 5,
    CopyOutside = 6,
    CoefficientPast63 = 7,
    TooManySkips = 8,
    ControlPastEnd = 9,
    VectorPastEnd = 10,
    SpiralPastEnd = 11,
    NibblePastEnd = 12,
};
inline constexpr int32_t kDecodeErrorCount = 13;

enum class StreamId : int32_t { Header = 0, Control = 1, Vector = 2, Spiral = 3, Nibble = 4 };

struct DecodeReport {
    DecodeError code = DecodeError::None;
    int32_t x = -1;            // the 8x8 block's top-left pixel; -1 for the frame as a whole
    int32_t y = -1;
    int32_t pieceShape = 0;    // 10 x width + height of the piece (88, 84, 48, 44, 42, 24, 22); 0 for none
    int32_t pieceIndex = -1;   // the piece's number inside its block; -1 for none
    StreamId stream = StreamId::Header;
    int64_t offset = 0;        // from the frame's start: the last unit the stream's reader used

    bool whole() const { return code == DecodeError::None; }
};

// A short English text for a code; codes outside the list get a fixed text.
const char* decodeErrorText(int32_t code);

}  // namespace vk6

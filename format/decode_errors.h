#pragma once
// Why a frame could not be decoded, and the words every program prints for
// it. The numbers are those of the decoder's C interface (vk6_640x16.h; the
// library checks that they agree).

#include <cstdint>
#include <string>
#include <string_view>

namespace format {

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

// The stream whose reader decoding stopped in.
enum class StreamId : int32_t { Header = 0, Control = 1, Vector = 2, Spiral = 3, Nibble = 4 };

// A short English text for a code; codes outside the list get a fixed text.
const char* decodeErrorText(int32_t code);

// Where a frame failed: the 8x8 block's top-left pixel (x -1 for the frame
// as a whole) and the piece, as shapeNumber() and pieceNumber() give them
// (shape 0 for none).
struct FailurePlace {
    int32_t x = -1;
    int32_t y = -1;
    int32_t pieceShape = 0;
    int32_t pieceIndex = -1;
};

// The line vk6, the player and the web player print for an abandoned frame:
// "block at (320, 96): <why> (4x4 piece 2)", without the block for a failure
// of the frame as a whole. why: the text for the failure's code.
std::string describeFailure(const FailurePlace& place, const char* why);

// The same for any report with those four fields (the decoder's, the C
// interface's).
template <class Report>
std::string describeFailure(const Report& report, const char* why) {
    return describeFailure(FailurePlace{report.x, report.y, report.pieceShape, report.pieceIndex}, why);
}

// A frame of a video that could not be decoded or read, as every program
// names it: "NAME: frame N: WHAT" (NAME: the file's path or name).
std::string frameFailureLine(std::string_view name, uint32_t frame, std::string_view what);

}  // namespace format

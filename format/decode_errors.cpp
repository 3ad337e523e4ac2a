#include "format/decode_errors.h"

namespace format {

const char* decodeErrorText(int32_t code) {
    static constexpr const char* kTexts[kDecodeErrorCount] = {
        "no error",
        "a null decoder, frame or picture",
        "the decoder is not initialised",
        "a header offset lies outside the frame",
        "a predicted frame without a reference picture",
        "the code 1111 is not a code",
        "copy reaches outside the picture",
        "coefficient past position 63",
        "skips run past the block's end",
        "control stream runs past the end of the frame",
        "vector stream runs past the end of the frame",
        "spiral stream runs past the end of the frame",
        "nibble stream runs past its end",
    };
    return code >= 0 && code < kDecodeErrorCount ? kTexts[code] : "not an error code of this decoder";
}

std::string describeFailure(const FailurePlace& place, const char* why) {
    std::string text = why;
    if (place.pieceShape != 0) {
        text += " (" + std::to_string(place.pieceShape / 10) + "x" + std::to_string(place.pieceShape % 10) + " piece " +
                std::to_string(place.pieceIndex) + ")";
    }
    if (place.x < 0) return text;
    return "block at (" + std::to_string(place.x) + ", " + std::to_string(place.y) + "): " + text;
}

std::string frameFailureLine(std::string_view name, uint32_t frame, std::string_view what) {
    return std::string(name) + ": frame " + std::to_string(frame) + ": " + std::string(what);
}

}  // namespace format

#include "pipeline/decode_report.h"

namespace vk6 {

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

}  // namespace vk6

#pragma once
// A video's frame rate as a fraction: `numerator` frames every `denominator`
// seconds. A stream file stores both; Y4M names them "F<num>:<den>".

#include <cstdint>

namespace support {

struct FrameRate {
    uint32_t numerator = 0;
    uint32_t denominator = 1;
};

}  // namespace support

#pragma once
// The six signed words at the start of every compressed frame.

#include <climits>
#include <cstdint>

#include "pipeline/frame_bytes.h"

namespace vk6 {

struct FrameHeader {
    int32_t qualityWord;   // sign: >= 0 predicted frame, < 0 intra frame
    int32_t controlOffset;
    int32_t vectorOffset;
    int32_t spiralOffset;
    int32_t nibbleOffset;
    int32_t nibbleEnd;

    static constexpr int kSize = 24;

    bool isIntra() const { return qualityWord < 0; }

    // The magnitude of the quality word clamped to 1..100. Quality 0 would
    // divide by zero in the dequantisation scale, so it counts as the lowest
    // quality; so does the most negative word, whose 32-bit negation stays
    // negative.
    int quality() const {
        if (qualityWord == INT32_MIN) return 1;
        const int32_t magnitude = isIntra() ? -qualityWord : qualityWord;
        if (magnitude < 1) return 1;
        return magnitude > 100 ? 100 : static_cast<int>(magnitude);
    }
};

inline FrameHeader readFrameHeader(const FrameBytes& bytes) {
    auto word = [&](int index) { return static_cast<int32_t>(bytes.word32(4 * index)); };
    return {word(0), word(1), word(2), word(3), word(4), word(5)};
}

}  // namespace vk6

#pragma once
// The six 32-bit words at the start of every compressed frame, little-endian:
// the quality word, negative for an intra frame, then the byte offsets from
// the frame's start of the control, vector, spiral and nibble streams and the
// end of the nibble stream.

#include <array>
#include <climits>
#include <cstdint>
#include <span>

namespace format {

inline constexpr int kFrameHeaderWords = 6;
inline constexpr int kFrameHeaderSize = 4 * kFrameHeaderWords;

// The qualities a frame is dequantised at.
inline constexpr int kLowestQuality = 1;
inline constexpr int kHighestQuality = 100;

// The quality word of a frame of that kind at that quality: the quality,
// negated for an intra frame.
constexpr int32_t qualityWordOf(bool intra, int quality) { return intra ? -quality : quality; }

struct FrameHeader {
    int32_t qualityWord = 0;  // sign: >= 0 predicted frame, < 0 intra frame
    int32_t controlOffset = 0;
    int32_t vectorOffset = 0;
    int32_t spiralOffset = 0;
    int32_t nibbleOffset = 0;
    int32_t nibbleEnd = 0;

    bool isIntra() const { return qualityWord < 0; }

    // The quality word's magnitude, as the frame states it.
    int64_t qualityMagnitude() const { return qualityWord < 0 ? -int64_t{qualityWord} : qualityWord; }

    // The magnitude clamped to the qualities, the one the frame is dequantised
    // at. Quality 0 would divide by zero in the dequantisation scale, so it
    // counts as the lowest quality; so does the most negative word, whose
    // 32-bit negation stays negative.
    int quality() const {
        if (qualityWord == INT32_MIN) return kLowestQuality;
        const int64_t magnitude = qualityMagnitude();
        if (magnitude < kLowestQuality) return kLowestQuality;
        return magnitude > kHighestQuality ? kHighestQuality : static_cast<int>(magnitude);
    }

    // The header from a reader of the frame's 32-bit words: word(i) gives
    // word i.
    template <class WordReader>
    static FrameHeader fromWords(WordReader word) {
        auto at = [&](int index) { return static_cast<int32_t>(word(index)); };
        return {at(0), at(1), at(2), at(3), at(4), at(5)};
    }
};

// From the frame's first bytes; bytes the frame lacks read as zero.
FrameHeader readFrameHeader(std::span<const uint8_t> frame);
std::array<uint8_t, kFrameHeaderSize> encodeFrameHeader(const FrameHeader& header);

// The first word of a frame of at least 4 bytes.
int32_t readQualityWord(const uint8_t* frame);

}  // namespace format

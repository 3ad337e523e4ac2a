#pragma once
// What a frame's header says: its kind, its quality and how large each of its
// four streams is.

#include <array>
#include <cstdint>
#include <span>

namespace format {

struct FrameSummary {
    bool intra = false;
    int64_t quality = 0;  // the magnitude of the quality word
    // Control bits, vector words, spiral indices, nibbles; -1 where the
    // header's offsets do not place the stream inside the frame.
    std::array<int64_t, 4> streamSizes{};
};

// A stream runs from its offset to the nearest start of another stream, the
// nibble stream's end or the frame's end; the nibble stream to its stated end.
FrameSummary summariseFrame(std::span<const uint8_t> frame);

}  // namespace format

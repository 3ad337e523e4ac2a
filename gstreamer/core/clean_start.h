#pragma once
// Where a decode may start and still give exactly the pictures of a decode
// from frame 0. An intra frame does not read the previous picture, but its
// copies from the new picture may read what the buffer held before (frame
// N-2's picture), and so may the next frame's. A decode may start at intra
// frame K, from buffers of any content, when neither frame K nor frame K+1
// reads what its buffer held before: from then on both buffers hold the
// exact pictures. Frame 0 is always such a start, from buffers all zero.
//
// The test decodes both frames twice, from buffers all 0x0000 and all
// 0xffff: copies move pixels as they are, so any pixel taken from before
// differs between the two, and equal results mean nothing was taken.

#include <cstdint>
#include <span>

#include "stream/stream_format.h"

namespace gstreamer {

// intra: frame K's bytes; next: frame K+1's, empty when K is the last.
bool startsCleanly(const stream::StreamInfo& info, std::span<const uint8_t> intra, std::span<const uint8_t> next);

}  // namespace gstreamer

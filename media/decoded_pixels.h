#pragma once
// The shown rows of a decoded picture in the output formats' terms: 8-bit RGB,
// or the stream's own 16-bit pixels as little-endian bytes.

#include <cstdint>
#include <vector>

#include "media/rgb_picture.h"
#include "stream/stream_format.h"

namespace media {

// Each 5- or 6-bit field widened to 8 bits by repeating its top bits
// (docs/video-colour.md).
media::RgbPicture toRgb(const uint16_t* picture, const stream::StreamInfo& info);

// rgb565le for pixel type 16, rgb555le for type 15.
std::vector<uint8_t> rawBytes(const uint16_t* picture, const stream::StreamInfo& info);

}  // namespace media

#include "media/png_chunks.h"

#include <zlib.h>

namespace media::png {

// A chunk's data is at most kLongestChunk bytes, which zlib's 32-bit lengths
// hold. No data is left out of the sum: zlib takes a null buffer for a new
// sum's start.
uint32_t chunkCrc(std::string_view type, std::span<const uint8_t> data) {
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(type.data()), uInt(type.size()));
    return uint32_t(data.empty() ? crc : crc32(crc, data.data(), uInt(data.size())));
}

}  // namespace media::png

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

namespace {

void append32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
}

}  // namespace

void appendChunk(std::vector<uint8_t>& out, std::string_view type, std::span<const uint8_t> data) {
    append32(out, uint32_t(data.size()));
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    append32(out, chunkCrc(type, data));
}

}  // namespace media::png

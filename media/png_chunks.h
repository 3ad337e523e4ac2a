#pragma once
// What a PNG file's reader and writer share: the signature, the chunk frame
// (a 4-byte big-endian length, a 4-letter type, the data, a CRC-32 of type and
// data) and the colour types of the header.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace media::png {

constexpr std::array<uint8_t, 8> kSignature = {137, 80, 78, 71, 13, 10, 26, 10};
constexpr uint32_t kLongestChunk = 0x7fffffff;
constexpr size_t kHeaderBytes = 13;  // IHDR's data

// The header's colour types: bit 1 colour, bit 2 alpha, 3 a palette.
enum ColourType : uint8_t { Grey = 0, Rgb = 2, Palette = 3, GreyAlpha = 4, Rgba = 6 };

inline uint32_t bigEndian32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

// The CRC-32 of a chunk's type and data.
uint32_t chunkCrc(std::string_view type, std::span<const uint8_t> data);

// A chunk of that type and data, its length and CRC included, added to out.
void appendChunk(std::vector<uint8_t>& out, std::string_view type, std::span<const uint8_t> data);

}  // namespace media::png

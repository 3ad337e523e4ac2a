#pragma once
// The two pixel types of a picture: 5-6-5 (`rrrrrggggggbbbbb`, type 16) and
// 5-5-5 (`0rrrrrgggggbbbbb`, type 15), and a pixel widened to 8-bit RGB the
// way a screen shows it: each field's top bits repeated below it, so 0 stays 0
// and the largest value becomes 255.

#include <cstdint>

namespace format {

enum class PixelType : uint16_t { Rgb555 = 15, Rgb565 = 16 };

constexpr bool knownPixelType(int type) { return type == 15 || type == 16; }

struct Rgb8 {
    uint8_t r, g, b;
};

constexpr Rgb8 widenPixel(uint16_t pixel, uint16_t pixelType) {
    const uint32_t p = pixel;
    const bool rgb565 = pixelType == uint16_t(PixelType::Rgb565);
    const uint32_t r = rgb565 ? p >> 11 : (p >> 10) & 31;
    const uint32_t g = rgb565 ? (p >> 5) & 63 : (p >> 5) & 31;
    const uint32_t b = p & 31;
    return {uint8_t(r << 3 | r >> 2), rgb565 ? uint8_t(g << 2 | g >> 4) : uint8_t(g << 3 | g >> 2),
            uint8_t(b << 3 | b >> 2)};
}

}  // namespace format

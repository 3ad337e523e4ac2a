#pragma once
// A decoded pixel in 8-bit RGB: 5-6-5 (`rrrrrggggggbbbbb`, pixel type 16) or
// 5-5-5 (`0rrrrrgggggbbbbb`, pixel type 15), each field widened by repeating
// its top bits, so 0 stays 0 and the largest value becomes 255.

#include <cstdint>

namespace xqm {

struct Rgb8 {
    uint8_t r, g, b;
};

constexpr Rgb8 widenPixel(uint16_t pixel, uint16_t pixelType) {
    const uint32_t p = pixel;
    const bool rgb565 = pixelType == 16;
    const uint32_t r = rgb565 ? p >> 11 : (p >> 10) & 31;
    const uint32_t g = rgb565 ? (p >> 5) & 63 : (p >> 5) & 31;
    const uint32_t b = p & 31;
    return {uint8_t(r << 3 | r >> 2), rgb565 ? uint8_t(g << 2 | g >> 4) : uint8_t(g << 3 | g >> 2),
            uint8_t(b << 3 | b >> 2)};
}

}  // namespace xqm

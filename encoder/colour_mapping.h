#pragma once
// 8-bit RGB to the Y, Cb and Cr samples the decoder's colour conversion turns
// back into the nearest 16-bit pixel.
//
// The decoder computes red = Y + 1.6 Cr, green = Y - 0.8 Cr - Cb / 3 and
// blue = Y + 2 Cb on a 0..255 scale and keeps the top bits, so a channel
// lands on field level floor(value / step). Each channel is first mapped to
// the value in the middle of the step of its nearest level (the screen
// expands a level by repeating its top bits), then the three equations are
// solved: Y = 0.3 R + 0.6 G + 0.1 B, Cb = (B - Y) / 2, Cr = (R - Y) / 1.6.

#include <array>
#include <cstdint>

namespace encoder {

// Samples in 1/64 of the 0..255 scale; Y centred on zero like the DCT input.
struct Samples {
    int32_t y;
    int32_t cb;
    int32_t cr;
};

class ColourMapping {
public:
    static constexpr int kFraction = 64;

    explicit ColourMapping(int pixelType);
    Samples samples(uint8_t red, uint8_t green, uint8_t blue) const {
        const int32_t r = red_[red], g = green_[green], b = blue_[blue];
        const int32_t y = (3 * r + 6 * g + b + 5) / 10;
        // The decoder floors Y, and twice the chroma for blue, on their way to
        // the colour fields: half a unit of each is added back.
        return {y - 128 * kFraction + kFraction / 2, ((b - y) >> 1) + kFraction / 4, ((r - y) * 5) >> 3};
    }

private:
    std::array<int32_t, 256> red_{}, green_{}, blue_{};  // mid-step targets, 1/64 units
};

}  // namespace encoder

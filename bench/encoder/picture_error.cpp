#include "bench/encoder/picture_error.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "encoder/picture_planes.h"

namespace bench {

namespace {

// For each 8-bit value, the nearest widening of a field of `bits` bits (the
// top bits repeated below it, as the screen shows the field).
std::array<uint8_t, 256> nearestLevels(int bits) {
    std::array<uint8_t, 256> nearest{};
    for (int value = 0; value < 256; ++value) {
        int bestDistance = 256;
        for (int level = 0; level < (1 << bits); ++level) {
            const int widened = (level << (8 - bits)) | (level >> (2 * bits - 8));
            if (std::abs(widened - value) < bestDistance) {
                bestDistance = std::abs(widened - value);
                nearest[value] = uint8_t(widened);
            }
        }
    }
    return nearest;
}

}  // namespace

void ErrorSum::addRgbPictures(std::span<const uint8_t> source, std::span<const uint8_t> rgb) {
    static const std::array<uint8_t, 256> fiveBits = nearestLevels(5), sixBits = nearestLevels(6);
    for (size_t i = 0; i < source.size(); ++i) add(source[i], (i % 3 == 1 ? sixBits : fiveBits)[rgb[i]]);
}

void ErrorSum::addScreenPictures(std::span<const uint8_t> source, std::span<const uint16_t> pixels) {
    const encoder::PixelExpander expander(16);
    for (size_t i = 0; i < pixels.size(); ++i) {
        uint8_t rgb[3];
        expander.expand(pixels[i], rgb[0], rgb[1], rgb[2]);
        for (int c = 0; c < 3; ++c) add(source[3 * i + c], rgb[c]);
    }
}

double ErrorSum::psnr() const { return 10 * std::log10(255.0 * 255.0 * samples_ / std::max(squared_, 1.0)); }

}  // namespace bench

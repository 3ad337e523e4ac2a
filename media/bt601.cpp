#include "media/bt601.h"

namespace media {

namespace {

// Rounds a 16.16 fixed-point value to the nearest integer (halves up) and
// clamps it to 0..255.
uint8_t roundClamped(int32_t fixed, int32_t offset) {
    const int32_t value = offset + ((fixed + 32768) >> 16);
    return uint8_t(value < 0 ? 0 : value > 255 ? 255 : value);
}

}  // namespace

YCbCr rgbToYCbCr(Rgb c) {
    const int32_t r = c.r, g = c.g, b = c.b;
    return {roundClamped(16829 * r + 33039 * g + 6416 * b, 16), roundClamped(-9714 * r - 19071 * g + 28784 * b, 128),
            roundClamped(28784 * r - 24103 * g - 4681 * b, 128)};
}

Rgb yCbCrToRgb(YCbCr c) {
    const int32_t y = 76309 * (int32_t(c.y) - 16), cb = int32_t(c.cb) - 128, cr = int32_t(c.cr) - 128;
    return {roundClamped(y + 104597 * cr, 0), roundClamped(y - 25675 * cb - 53279 * cr, 0),
            roundClamped(y + 132201 * cb, 0)};
}

}  // namespace media

#pragma once
// RGB and Y'CbCr of BT.601 in limited range (Y' 16..235, Cb and Cr 16..240
// around 128), in 16.16 fixed point. docs/video-colour.md states the
// coefficients and the rounding.

#include <cstdint>

namespace media {

struct YCbCr {
    uint8_t y, cb, cr;
};

struct Rgb {
    uint8_t r, g, b;
};

YCbCr rgbToYCbCr(Rgb rgb);
Rgb yCbCrToRgb(YCbCr ycc);

}  // namespace media

#pragma once
// Synthetic RGB frames for encoder tests: smooth gradients, a textured area,
// flat patches and repeated glyph-like marks, moved by a whole-pixel pan.

#include <cstdint>
#include <vector>

namespace encoder::test {

// 640 x height pixels of R, G, B bytes; `frame` moves the scene.
std::vector<uint8_t> scene(int height, int frame, unsigned seed = 1);

// Smooth colour ramps with no detail: a picture DCT blocks code almost exactly.
std::vector<uint8_t> ramps(int height);

// Lines of text: ten 5x7 glyphs in random order, 7 pixels apart, on a flat
// background.
std::vector<uint8_t> text(int height);

// Tiles of 16 x 16 pixels of noise, each followed on its right by its mirror
// image and below by its upside-down image.
std::vector<uint8_t> mirroredTiles(int height);

// Every sample random: what no copy and no coarse DCT block comes near.
std::vector<uint8_t> noise(int height, unsigned seed);

// Peak signal-to-noise ratio in dB of a decoded picture (16-bit pixels of
// pixelType, expanded to 8 bits) against the source's height rows.
double psnr(const std::vector<uint8_t>& rgb, const std::vector<uint16_t>& picture, int pixelType, int height);

}  // namespace encoder::test

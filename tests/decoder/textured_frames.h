#pragma once
// Frames made from a fractal texture, for the decoder benchmark and for
// comparing kernel levels on whole frames: the texture itself, its dense
// intra frame (every block DCT, as the encoder codes it at quality 75), and a
// predicted frame that follows it with blocks of every kind: 61 % still, 19 %
// the texture's DCT blocks, 20 % copies, half of them split into halves,
// quarters, strips and 2x2 cells, every symmetry, a fifth of the vectors
// reading the new picture. The same seed gives the same frame.

#include <cstdint>
#include <vector>

namespace decoder::test {

// 640 x kSyntheticHeight pixels of 8-bit R, G, B.
std::vector<uint8_t> plasmaTexture(unsigned seed);
std::vector<uint8_t> denseIntraFrame(const std::vector<uint8_t>& texture);
std::vector<uint8_t> everyKindFrame(unsigned seed, const std::vector<uint8_t>& texture);

}  // namespace decoder::test

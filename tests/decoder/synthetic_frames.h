#pragma once
// 640x480 frames of three kinds for the benchmark and for comparing kernel
// levels on whole frames: an all-DCT intra frame of photographic-looking
// coefficients, an all-still predicted frame, and a predicted frame mixing
// every kind of block. The same seed gives the same frame.

#include <cstdint>
#include <vector>

namespace decoder::test {

inline constexpr int kSyntheticHeight = 480;

std::vector<uint8_t> intraDctFrame(unsigned seed, int quality);
std::vector<uint8_t> stillFrame(int quality);
// Blocks on the picture's edge are still copies, so that every source stays inside.
std::vector<uint8_t> mixedFrame(unsigned seed, int quality);

}  // namespace decoder::test

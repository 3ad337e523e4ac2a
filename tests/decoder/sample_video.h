#pragma once
// Short videos of valid frames for tests: an intra frame of coloured DCT
// blocks, then predicted frames mixing new DCT blocks, still blocks, mirrored
// or turned copies of the reference and blocks split into still quarters.
// The same seed gives the same frames.

#include <cstdint>
#include <vector>

namespace decoder::test {

std::vector<std::vector<uint8_t>> sampleVideo(int height, int frameCount, unsigned seed);

}  // namespace decoder::test

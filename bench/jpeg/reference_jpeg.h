#pragma once
// The reference picture for the JPEG decode benchmark: a baseline 4:4:4 JPEG
// whose blocks hold the same kind of quantised levels as the decoder
// benchmark's all-DCT intra frame.

#include <cstdint>
#include <vector>

namespace bench {

// A width x height JPEG (multiples of 8) at the given quality, its
// coefficients drawn from a generator seeded with `seed`.
std::vector<uint8_t> makeReferenceJpeg(int width, int height, int quality, uint32_t seed);

// The mean number of non-zero coefficients per 8x8 block of all components
// together (Y + Cb + Cr of one block position).
double nonzeroCoefficientsPerBlock(const std::vector<uint8_t>& jpeg);

}  // namespace bench

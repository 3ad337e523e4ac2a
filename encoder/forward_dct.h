#pragma once
// The forward DCT the decoder's inverse undoes: the orthonormal 8x8 DCT-II
// (a flat block of value v has the DC 8 v), in integer arithmetic so every
// build computes the same coefficients.

#include <array>
#include <cstdint>

namespace encoder {

// Samples in, coefficients out, both row-major and in the same fixed-point unit.
void forwardDct(const std::array<int32_t, 64>& samples, std::array<int32_t, 64>& coefficients);

}  // namespace encoder

#pragma once
// Per-frame dequantisation factors: the quality-scaled Annex K tables with the
// AAN inverse DCT scale folded in, by zigzag position.

#include <array>
#include <cstdint>

#include "decoder/pipeline/geometry_tables.h"

namespace decoder {

// Row-major AAN scale factors in 14-bit fixed point.
extern const std::array<int32_t, 64> AanScale;
// Luminance and chrominance quantisation tables of JPEG Annex K, row-major.
extern const std::array<int32_t, 64> LuminanceQuantisation;
extern const std::array<int32_t, 64> ChrominanceQuantisation;

// Rows 0..2: Y, Cb, Cr factors; rows 3..5: the same negated. By scan
// position; positions past the block have factor 0.
using DequantTables = std::array<std::array<int32_t, kScanPositions>, 6>;

// quality is already clamped to 1..100.
void buildDequantTables(int quality, DequantTables& tables);

}  // namespace decoder

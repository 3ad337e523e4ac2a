#pragma once
// Chroma planes brought to full resolution. A plane subsampled by 2 in a
// direction is interpolated with the 3:1 triangle filter of centre-sited
// samples: each full-resolution sample takes 3/4 of the nearest chroma sample
// and 1/4 of the next nearest, the edges repeated. Both directions are
// weighted before one rounding.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace media {

// plane: (width + xFactor - 1) / xFactor by (height + yFactor - 1) / yFactor
// samples; xFactor and yFactor are 1 or 2. Returns width x height samples.
std::vector<uint8_t> upsampleChroma(const uint8_t* plane, int width, int height, int xFactor, int yFactor);

}  // namespace media

#pragma once
// inverseDct: the multiplication-free AAN inverse DCT of one coefficient
// block, in place, with the pass order and shortcuts chosen by its blockMask.

#include <cstdint>

namespace vk6 {

void inverseDctReference(int32_t* block, uint32_t mask);

// The one-dimensional transform of the eight values `stride` apart from x, in
// place: one line of a pass.
void inverseDctLine(int32_t* x, int stride);

}  // namespace vk6

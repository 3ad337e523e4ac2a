#pragma once
// inverseDct: the multiplication-free AAN inverse DCT of one coefficient
// block, in place, with the pass order and shortcuts chosen by its blockMask.

#include <cstdint>

namespace vk6 {

void inverseDctReference(int32_t* block, uint32_t mask);

}  // namespace vk6

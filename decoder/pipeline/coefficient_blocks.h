#pragma once
// The three dequantised coefficient blocks of a DCT block (Y, Cb, Cr) in
// natural order, one after the other, and the row/column occupancy mask of each.

#include <array>
#include <cstdint>

namespace decoder {

struct CoefficientBlocks {
    // The three blocks, then room where the coefficient decoder discards the
    // zeros it writes past a block (kDiscardedCoefficient).
    alignas(16) std::array<int32_t, 3 * 64 + 4> values;
    std::array<uint32_t, 3> blockMask;

    int32_t* block(int component) { return values.data() + 64 * component; }
    const int32_t* block(int component) const { return values.data() + 64 * component; }
};

}  // namespace decoder

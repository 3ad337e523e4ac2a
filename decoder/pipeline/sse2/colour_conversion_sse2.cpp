#include <emmintrin.h>

#include "decoder/pipeline/colour_lanes.h"
#include "decoder/pipeline/sse2/sse2_kernels.h"

namespace decoder {

namespace {

// One row of eight pixels at a time.
struct Sse2Lanes {
    typedef int16_t Int16s __attribute__((vector_size(16)));
    typedef int32_t Int32s __attribute__((vector_size(16)));
    static constexpr int kRows = 1;

    static Int32s samples(const int32_t* row, int part) {
        return Int32s(_mm_load_si128(reinterpret_cast<const __m128i*>(row + 4 * part)));
    }
    VK6_COLOUR_LANE_INTRINSICS(_mm, __m128i)
    VK6_COLOUR_LANE_SIGNS
    static void store(uint16_t* destination, Int16s pixels) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination), __m128i(pixels));
    }
};

}  // namespace

void convertToPixelsSse2(const ColourTables& tables, const CoefficientBlocks& blocks, uint16_t* destination) {
    ColourLanes<Sse2Lanes>::convert(tables, blocks, destination);
}

}  // namespace decoder

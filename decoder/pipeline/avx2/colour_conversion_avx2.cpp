#include <immintrin.h>

#include "decoder/pipeline/avx2/avx2_kernels.h"
#include "decoder/pipeline/avx2/avx2_target.h"
#include "decoder/pipeline/colour_conversion.h"
#include "decoder/pipeline/geometry_tables.h"

VK6_AVX2_BEGIN

#include "decoder/pipeline/colour_lanes.h"

namespace decoder {

using format::kPictureWidth;

namespace {

// Two rows of eight pixels at a time. The 32-bit samples of part 0 are the
// first row, of part 1 the second; packing works within 128-bit halves, so
// the pixels come out as quarters of rows (first, second, first, second)
// until store() puts them in order.
struct Avx2Lanes {
    typedef int16_t Int16s __attribute__((vector_size(32)));
    typedef int32_t Int32s __attribute__((vector_size(32)));
    static constexpr int kRows = 2;

    static Int32s samples(const int32_t* rows, int part) {
        return Int32s(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(rows + 8 * part)));
    }
    VK6_COLOUR_LANE_INTRINSICS(_mm256, __m256i)
    static Int16s magnitude(Int16s n) { return Int16s(_mm256_abs_epi16(__m256i(n))); }
    static Int16s signOf(Int16s n, Int16s q) { return Int16s(_mm256_sign_epi16(__m256i(q), __m256i(n))); }
    static void store(uint16_t* destination, Int16s pixels) {
        const __m256i rows = _mm256_permute4x64_epi64(__m256i(pixels), 0b11'01'10'00);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination), _mm256_castsi256_si128(rows));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + kPictureWidth), _mm256_extracti128_si256(rows, 1));
    }
};

}  // namespace

void convertToPixelsAvx2(const ColourTables& tables, const CoefficientBlocks& blocks, uint16_t* destination) {
    ColourLanes<Avx2Lanes>::convert(tables, blocks, destination);
}

}  // namespace decoder

VK6_AVX2_END

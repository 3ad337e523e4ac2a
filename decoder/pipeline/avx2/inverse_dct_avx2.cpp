#include <immintrin.h>

#include "decoder/pipeline/avx2/avx2_kernels.h"
#include "decoder/pipeline/avx2/avx2_target.h"
#include "decoder/pipeline/inverse_dct.h"

VK6_AVX2_BEGIN

#include "decoder/pipeline/aan_butterfly.h"

namespace decoder {

namespace {

typedef int32_t Int32x4 __attribute__((vector_size(16)));
typedef int32_t Int32x8 __attribute__((vector_size(32)));

// The block as its eight rows; after a transpose, as its eight columns. The
// helpers are inlined and their loops unrolled, so that the block stays in
// registers between passes.
struct BlockLines {
    Int32x8 line[8];
};

[[gnu::always_inline]] inline BlockLines load(const int32_t* block) {
    BlockLines b;
#pragma GCC unroll 8
    for (int r = 0; r < 8; ++r)
        b.line[r] = Int32x8(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + 8 * r)));
    return b;
}

[[gnu::always_inline]] inline void store(const BlockLines& b, int32_t* block) {
#pragma GCC unroll 8
    for (int r = 0; r < 8; ++r) _mm256_storeu_si256(reinterpret_cast<__m256i*>(block + 8 * r), __m256i(b.line[r]));
}

[[gnu::always_inline]] inline void transpose(BlockLines& b) {
    __m256i pairs[8], quads[8];
#pragma GCC unroll 8
    for (int i = 0; i < 4; ++i) {
        pairs[2 * i] = _mm256_unpacklo_epi32(__m256i(b.line[2 * i]), __m256i(b.line[2 * i + 1]));
        pairs[2 * i + 1] = _mm256_unpackhi_epi32(__m256i(b.line[2 * i]), __m256i(b.line[2 * i + 1]));
    }
    // quads[k] holds element k of rows 0-3 in its low 128 bits, element k + 4
    // in its high; quads[4 + k] the same for rows 4-7.
#pragma GCC unroll 8
    for (int half = 0; half < 2; ++half) {
        const __m256i* p = pairs + 4 * half;
        quads[4 * half + 0] = _mm256_unpacklo_epi64(p[0], p[2]);
        quads[4 * half + 1] = _mm256_unpackhi_epi64(p[0], p[2]);
        quads[4 * half + 2] = _mm256_unpacklo_epi64(p[1], p[3]);
        quads[4 * half + 3] = _mm256_unpackhi_epi64(p[1], p[3]);
    }
#pragma GCC unroll 8
    for (int k = 0; k < 4; ++k) {
        b.line[k] = Int32x8(_mm256_permute2x128_si256(quads[k], quads[4 + k], 0x20));
        b.line[k + 4] = Int32x8(_mm256_permute2x128_si256(quads[k], quads[4 + k], 0x31));
    }
}

// Transforms all eight lanes across the eight lines. The reference leaves the
// lines beyond the last occupied one as they are: they are zero, and the
// transform of zeros is zero.
[[gnu::always_inline]] inline void transformLanes(BlockLines& b) { aanButterfly(b.line); }

[[gnu::always_inline]] inline void transpose4(Int32x4* x) {
    const __m128i ab0 = _mm_unpacklo_epi32(__m128i(x[0]), __m128i(x[1]));
    const __m128i ab1 = _mm_unpackhi_epi32(__m128i(x[0]), __m128i(x[1]));
    const __m128i cd0 = _mm_unpacklo_epi32(__m128i(x[2]), __m128i(x[3]));
    const __m128i cd1 = _mm_unpackhi_epi32(__m128i(x[2]), __m128i(x[3]));
    x[0] = Int32x4(_mm_unpacklo_epi64(ab0, cd0));
    x[1] = Int32x4(_mm_unpackhi_epi64(ab0, cd0));
    x[2] = Int32x4(_mm_unpacklo_epi64(ab1, cd1));
    x[3] = Int32x4(_mm_unpackhi_epi64(ab1, cd1));
}

// Four lines of four lanes after a 4x4 transpose each (one for the low lanes,
// one for the high), joined into four lines of eight; the other four lines zero.
[[gnu::always_inline]] inline BlockLines joined(Int32x4* low, Int32x4* high) {
    transpose4(low);
    transpose4(high);
    BlockLines b{};
#pragma GCC unroll 4
    for (int k = 0; k < 4; ++k)
        b.line[k] = Int32x8(_mm256_inserti128_si256(_mm256_castsi128_si256(__m128i(low[k])), __m128i(high[k]), 1));
    return b;
}

// Coefficients in the top-left 4x4 only, and zeros elsewhere: every line of
// either pass has four inputs, and the first pass needs only four lanes.
void inverseDctTopLeft(int32_t* block, bool columnsFirst) {
    Int32x4 quarter[8] = {};
#pragma GCC unroll 4
    for (int r = 0; r < 4; ++r) quarter[r] = Int32x4(_mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 8 * r)));
    if (columnsFirst) {
        aanButterfly(quarter);  // columns 0-3 of the eight rows
        BlockLines b = joined(quarter, quarter + 4);
        aanButterfly(b.line);  // along the rows: line k is column k
        transpose(b);
        store(b, block);
        return;
    }
    transpose4(quarter);
    aanButterfly(quarter);  // along rows 0-3: quarter[k] is their column k
    BlockLines b = joined(quarter, quarter + 4);
    aanButterfly(b.line);  // along the columns
    store(b, block);
}

void fill(int32_t* block, int row, __m256i value) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(block + 8 * row), value);
}

}  // namespace

// The pass order and shortcuts of inverseDctReference. A pass over the rows
// is a pass over the lanes of the transposed block.
void inverseDctAvx2(int32_t* block, uint32_t mask) {
    const DctPasses passes = dctPasses(mask);
    switch (passes.kind) {
        case DctPasses::DcOnly: {
            const __m256i dc = _mm256_set1_epi32(block[0]);
            for (int r = 0; r < 8; ++r) fill(block, r, dc);
            return;
        }
        case DctPasses::OneColumn:
            inverseDctLine(block, 8);
            for (int r = 0; r < 8; ++r) fill(block, r, _mm256_set1_epi32(block[8 * r]));
            return;
        case DctPasses::OneRow: {
            inverseDctLine(block, 1);
            const __m256i first = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block));
            for (int r = 1; r < 8; ++r) fill(block, r, first);
            return;
        }
        case DctPasses::TopLeft: inverseDctTopLeft(block, passes.columnsFirst); return;
        case DctPasses::General: break;
    }
    BlockLines b = load(block);
    if (!passes.columnsFirst) transpose(b);
    transformLanes(b);
    transpose(b);
    transformLanes(b);
    if (passes.columnsFirst) transpose(b);
    store(b, block);
}

}  // namespace decoder

VK6_AVX2_END

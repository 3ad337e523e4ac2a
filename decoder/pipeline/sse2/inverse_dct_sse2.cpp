#include <emmintrin.h>

#include <utility>

#include "decoder/pipeline/aan_butterfly.h"
#include "decoder/pipeline/inverse_dct.h"
#include "decoder/pipeline/sse2/sse2_kernels.h"

namespace decoder {

namespace {

typedef int32_t Int32x4 __attribute__((vector_size(16)));

// The block as two halves of four columns: half[h][r] holds row r, columns
// 4h to 4h + 3. A pass over the rows of a half transforms four columns at once.
// The helpers are inlined and their loops unrolled, so that the block stays
// in registers (as far as they go) between passes.
struct BlockHalves {
    Int32x4 half[2][8];
};

[[gnu::always_inline]] inline BlockHalves load(const int32_t* block) {
    BlockHalves b;
#pragma GCC unroll 8
    for (int h = 0; h < 2; ++h)
#pragma GCC unroll 8
        for (int r = 0; r < 8; ++r)
            b.half[h][r] = Int32x4(_mm_load_si128(reinterpret_cast<const __m128i*>(block + 8 * r + 4 * h)));
    return b;
}

[[gnu::always_inline]] inline void store(const BlockHalves& b, int32_t* block) {
#pragma GCC unroll 8
    for (int h = 0; h < 2; ++h)
#pragma GCC unroll 8
        for (int r = 0; r < 8; ++r)
            _mm_store_si128(reinterpret_cast<__m128i*>(block + 8 * r + 4 * h), __m128i(b.half[h][r]));
}

[[gnu::always_inline]] inline void transpose4(Int32x4& a, Int32x4& b, Int32x4& c, Int32x4& d) {
    const __m128i ab0 = _mm_unpacklo_epi32(__m128i(a), __m128i(b)), ab1 = _mm_unpackhi_epi32(__m128i(a), __m128i(b));
    const __m128i cd0 = _mm_unpacklo_epi32(__m128i(c), __m128i(d)), cd1 = _mm_unpackhi_epi32(__m128i(c), __m128i(d));
    a = Int32x4(_mm_unpacklo_epi64(ab0, cd0));
    b = Int32x4(_mm_unpackhi_epi64(ab0, cd0));
    c = Int32x4(_mm_unpacklo_epi64(ab1, cd1));
    d = Int32x4(_mm_unpackhi_epi64(ab1, cd1));
}

// Rows become columns: the 4x4 tile (rows 4i.., half h) moves to (rows 4h.., half i).
[[gnu::always_inline]] inline void transpose(BlockHalves& b) {
#pragma GCC unroll 8
    for (int h = 0; h < 2; ++h)
#pragma GCC unroll 8
        for (int i = 0; i < 2; ++i) {
            Int32x4* tile = &b.half[h][4 * i];
            transpose4(tile[0], tile[1], tile[2], tile[3]);
        }
#pragma GCC unroll 8
    for (int k = 0; k < 4; ++k) std::swap(b.half[0][4 + k], b.half[1][k]);
}

// Transforms the first `count` columns along the rows, four at a time. The
// reference leaves the columns past the last occupied one as they are: they
// are zero, and the transform of zeros is zero, so a half that holds some of
// them is transformed whole.
[[gnu::always_inline]] inline void transformColumns(BlockHalves& b, int count) {
    aanButterfly(b.half[0]);
    if (count > 4) aanButterfly(b.half[1]);
}

[[gnu::always_inline]] inline void transformRows(BlockHalves& b, int count) {
    transpose(b);
    transformColumns(b, count);
    transpose(b);
}

// Coefficients in the top-left 4x4 only, and zeros elsewhere: four rows to
// load, and the passes over a block three quarters zero, which the compiler
// leaves out of the inlined code. Zero lines stay zero, so each pass may take
// four lines whatever the mask.
void inverseDctTopLeft(int32_t* block, bool columnsFirst) {
    BlockHalves b{};
#pragma GCC unroll 4
    for (int r = 0; r < 4; ++r) b.half[0][r] = Int32x4(_mm_load_si128(reinterpret_cast<const __m128i*>(block + 8 * r)));
    if (columnsFirst) {
        transformColumns(b, 4);
        transformRows(b, 8);
    } else {
        transformRows(b, 4);
        transformColumns(b, 8);
    }
    store(b, block);
}

}  // namespace

// The pass order and shortcuts of inverseDctReference, pass for pass. A pass
// over one or two rows is cheaper one row at a time than through the
// registers and transposes of four.
void inverseDctSse2(int32_t* block, uint32_t mask) {
    const DctPasses passes = dctPasses(mask);
    switch (passes.kind) {
        case DctPasses::DcOnly: {
            const __m128i dc = _mm_set1_epi32(block[0]);
            for (int i = 0; i < 64; i += 4) _mm_store_si128(reinterpret_cast<__m128i*>(block + i), dc);
            return;
        }
        case DctPasses::OneColumn:
            inverseDctLine(block, 8);
            for (int r = 0; r < 8; ++r) {
                const __m128i first = _mm_set1_epi32(block[8 * r]);
                _mm_store_si128(reinterpret_cast<__m128i*>(block + 8 * r), first);
                _mm_store_si128(reinterpret_cast<__m128i*>(block + 8 * r + 4), first);
            }
            return;
        case DctPasses::OneRow: {
            inverseDctLine(block, 1);
            const __m128i left = _mm_load_si128(reinterpret_cast<const __m128i*>(block));
            const __m128i right = _mm_load_si128(reinterpret_cast<const __m128i*>(block + 4));
            for (int r = 1; r < 8; ++r) {
                _mm_store_si128(reinterpret_cast<__m128i*>(block + 8 * r), left);
                _mm_store_si128(reinterpret_cast<__m128i*>(block + 8 * r + 4), right);
            }
            return;
        }
        case DctPasses::TopLeft: inverseDctTopLeft(block, passes.columnsFirst); return;
        case DctPasses::General: break;
    }
    if (passes.columnsFirst) {
        BlockHalves b = load(block);
        transformColumns(b, passes.firstPassLines);
        transformRows(b, 8);
        store(b, block);
        return;
    }
    const bool rowByRow = passes.firstPassLines <= 2;
    for (int r = 0; rowByRow && r < passes.firstPassLines; ++r) inverseDctLine(block + 8 * r, 1);
    BlockHalves b = load(block);
    if (!rowByRow) transformRows(b, passes.firstPassLines);
    transformColumns(b, 8);
    store(b, block);
}

}  // namespace decoder

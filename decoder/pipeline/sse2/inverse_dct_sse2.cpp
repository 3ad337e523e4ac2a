#include <emmintrin.h>

#include <bit>
#include <utility>

#include "pipeline/inverse_dct.h"
#include "pipeline/sse2/sse2_kernels.h"

namespace vk6 {

namespace {

// The block as two halves of four columns: half[h][r] holds row r, columns
// 4h to 4h + 3. A pass over the rows of a half transforms four columns at once.
struct BlockHalves {
    __m128i half[2][8];
};

BlockHalves load(const int32_t* block) {
    BlockHalves b;
    for (int h = 0; h < 2; ++h)
        for (int r = 0; r < 8; ++r) b.half[h][r] = _mm_load_si128(reinterpret_cast<const __m128i*>(block + 8 * r + 4 * h));
    return b;
}

void store(const BlockHalves& b, int32_t* block) {
    for (int h = 0; h < 2; ++h)
        for (int r = 0; r < 8; ++r) _mm_store_si128(reinterpret_cast<__m128i*>(block + 8 * r + 4 * h), b.half[h][r]);
}

void transpose4(__m128i& a, __m128i& b, __m128i& c, __m128i& d) {
    const __m128i ab0 = _mm_unpacklo_epi32(a, b), ab1 = _mm_unpackhi_epi32(a, b);
    const __m128i cd0 = _mm_unpacklo_epi32(c, d), cd1 = _mm_unpackhi_epi32(c, d);
    a = _mm_unpacklo_epi64(ab0, cd0);
    b = _mm_unpackhi_epi64(ab0, cd0);
    c = _mm_unpacklo_epi64(ab1, cd1);
    d = _mm_unpackhi_epi64(ab1, cd1);
}

// Rows become columns: the 4x4 tile (rows 4i.., half h) moves to (rows 4h.., half i).
void transpose(BlockHalves& b) {
    for (int h = 0; h < 2; ++h)
        for (int i = 0; i < 2; ++i) {
            __m128i* tile = &b.half[h][4 * i];
            transpose4(tile[0], tile[1], tile[2], tile[3]);
        }
    for (int k = 0; k < 4; ++k) std::swap(b.half[0][4 + k], b.half[1][k]);
}

// The multiplications of the butterfly as shifts and adds: the same results
// as the 32-bit multiplications, overflow included.
__m128i times3(__m128i x) { return _mm_add_epi32(_mm_slli_epi32(x, 1), x); }
__m128i times17(__m128i x) { return _mm_add_epi32(_mm_slli_epi32(x, 4), x); }
__m128i times30(__m128i x) { return _mm_sub_epi32(_mm_slli_epi32(x, 5), _mm_slli_epi32(x, 1)); }
__m128i times40(__m128i x) { return _mm_add_epi32(_mm_slli_epi32(x, 5), _mm_slli_epi32(x, 3)); }

// The reference's one-dimensional transform on four lanes at once.
void transform8(__m128i* x) {
    const __m128i t10 = _mm_add_epi32(x[0], x[4]), t11 = _mm_sub_epi32(x[0], x[4]);
    const __m128i t13 = _mm_add_epi32(x[2], x[6]);
    const __m128i t12 = _mm_sub_epi32(_mm_srai_epi32(times3(_mm_sub_epi32(x[2], x[6])), 1), t13);
    const __m128i e0 = _mm_add_epi32(t10, t13), e3 = _mm_sub_epi32(t10, t13);
    const __m128i e1 = _mm_add_epi32(t11, t12), e2 = _mm_sub_epi32(t11, t12);

    const __m128i z13 = _mm_add_epi32(x[5], x[3]), z10 = _mm_sub_epi32(x[5], x[3]);
    const __m128i z11 = _mm_add_epi32(x[1], x[7]), z12 = _mm_sub_epi32(x[1], x[7]);
    const __m128i t7 = _mm_add_epi32(z11, z13);
    const __m128i u11 = _mm_srai_epi32(times3(_mm_sub_epi32(z11, z13)), 1);
    const __m128i z5 = times30(_mm_add_epi32(z10, z12));
    const __m128i u10 = _mm_srai_epi32(_mm_sub_epi32(times17(z12), z5), 4);
    const __m128i u12 = _mm_srai_epi32(_mm_sub_epi32(z5, times40(z10)), 4);
    const __m128i t6 = _mm_sub_epi32(u12, t7), t5 = _mm_sub_epi32(u11, t6), t4 = _mm_add_epi32(u10, t5);

    x[0] = _mm_add_epi32(e0, t7);
    x[7] = _mm_sub_epi32(e0, t7);
    x[1] = _mm_add_epi32(e1, t6);
    x[6] = _mm_sub_epi32(e1, t6);
    x[2] = _mm_add_epi32(e2, t5);
    x[5] = _mm_sub_epi32(e2, t5);
    x[4] = _mm_add_epi32(e3, t4);
    x[3] = _mm_sub_epi32(e3, t4);
}

// Transforms the first `count` columns along the rows; the other columns
// keep their values, as the reference leaves them.
void transformColumns(BlockHalves& b, int count) {
    for (int h = 0; h < 2; ++h) {
        const int lanes = count - 4 * h;
        if (lanes <= 0) return;
        if (lanes >= 4) {
            transform8(b.half[h]);
            continue;
        }
        __m128i transformed[8];
        for (int r = 0; r < 8; ++r) transformed[r] = b.half[h][r];
        transform8(transformed);
        const __m128i chosen = _mm_cmplt_epi32(_mm_setr_epi32(0, 1, 2, 3), _mm_set1_epi32(lanes));
        for (int r = 0; r < 8; ++r)
            b.half[h][r] = _mm_or_si128(_mm_and_si128(chosen, transformed[r]), _mm_andnot_si128(chosen, b.half[h][r]));
    }
}

void transformRows(BlockHalves& b, int count) {
    transpose(b);
    transformColumns(b, count);
    transpose(b);
}

}  // namespace

// The pass order and shortcuts of inverseDctReference, pass for pass. A pass
// over one or two lines is cheaper one line at a time than through the
// registers and transposes of four.
void inverseDctSse2(int32_t* block, uint32_t mask) {
    if (mask == 0x0101) {
        const __m128i dc = _mm_set1_epi32(block[0]);
        for (int i = 0; i < 64; i += 4) _mm_store_si128(reinterpret_cast<__m128i*>(block + i), dc);
        return;
    }
    const uint32_t columns = mask & 0xFF, rows = (mask >> 8) & 0xFF;
    if (static_cast<int8_t>(rows) >= static_cast<int8_t>(columns)) {
        if (columns == 1) {
            inverseDctLine(block, 8);
            for (int r = 0; r < 8; ++r) {
                const __m128i first = _mm_set1_epi32(block[8 * r]);
                _mm_store_si128(reinterpret_cast<__m128i*>(block + 8 * r), first);
                _mm_store_si128(reinterpret_cast<__m128i*>(block + 8 * r + 4), first);
            }
            return;
        }
        BlockHalves b = load(block);
        transformColumns(b, int(std::bit_width(columns)));
        transformRows(b, 8);
        store(b, block);
        return;
    }
    const int transformed = int(std::bit_width(rows));
    if (transformed <= 2) {
        for (int r = 0; r < transformed; ++r) inverseDctLine(block + 8 * r, 1);
    }
    if (rows == 1) {
        const __m128i left = _mm_load_si128(reinterpret_cast<const __m128i*>(block));
        const __m128i right = _mm_load_si128(reinterpret_cast<const __m128i*>(block + 4));
        for (int r = 1; r < 8; ++r) {
            _mm_store_si128(reinterpret_cast<__m128i*>(block + 8 * r), left);
            _mm_store_si128(reinterpret_cast<__m128i*>(block + 8 * r + 4), right);
        }
        return;
    }
    BlockHalves b = load(block);
    if (transformed > 2) transformRows(b, transformed);
    transformColumns(b, 8);
    store(b, block);
}

}  // namespace vk6

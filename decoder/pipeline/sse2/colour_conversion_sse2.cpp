#include <emmintrin.h>

#include "pipeline/geometry_tables.h"
#include "pipeline/sse2/sse2_kernels.h"

namespace vk6 {

namespace {

// The tables computed rather than looked up, eight pixels (one row) at a time
// in 16-bit lanes. Clamping every index to its table's ends gives the
// reference's saturating and non-saturating results alike, so no range test
// per block is needed.

__m128i clamp16(__m128i x, int low, int high) {
    return _mm_min_epi16(_mm_max_epi16(x, _mm_set1_epi16(int16_t(low))), _mm_set1_epi16(int16_t(high)));
}

// Eight 32-bit samples shifted right, saturated to 16 bits.
__m128i shiftedSamples(const int32_t* samples, int shift) {
    const __m128i low = _mm_load_si128(reinterpret_cast<const __m128i*>(samples));
    const __m128i high = _mm_load_si128(reinterpret_cast<const __m128i*>(samples + 4));
    return _mm_packs_epi32(_mm_srai_epi32(low, shift), _mm_srai_epi32(high, shift));
}

// Division rounding toward zero, as C++ divides, through the magnitude:
// (a * 52429) >> 19 is a / 10 for a < 262144, (a * 43691) >> 17 is a / 3 for
// a < 131072; the lanes hold far less.
template <int Multiplier, int Shift>
__m128i divideTowardZero(__m128i n) {
    const __m128i sign = _mm_srai_epi16(n, 15);
    const __m128i magnitude = _mm_sub_epi16(_mm_xor_si128(n, sign), sign);
    const __m128i quotient = _mm_srli_epi16(_mm_mulhi_epu16(magnitude, _mm_set1_epi16(int16_t(Multiplier))), Shift - 16);
    return _mm_sub_epi16(_mm_xor_si128(quotient, sign), sign);
}

// CrToRed: (16v + 8) / 10 with v clamped to the table.
__m128i crToRed(__m128i cr) {
    const __m128i v = clamp16(cr, ColourTables::kChromaFirst, ColourTables::kChromaLast);
    return divideTowardZero<52429, 19>(_mm_add_epi16(_mm_slli_epi16(v, 4), _mm_set1_epi16(8)));
}

// CbToGreen: v / 3 with v clamped to the table.
__m128i cbToGreen(__m128i cb) {
    return divideTowardZero<43691, 17>(clamp16(cb, ColourTables::kChromaFirst, ColourTables::kChromaLast));
}

// The colour tables are 0 below index 0 and constant above 127.
__m128i colourLevel(__m128i index) { return clamp16(index, 0, ColourTables::kColourLast); }

struct FieldLayout {
    __m128i redScale;      // 1 << the red field's shift
    __m128i greenShift;    // the green level is halved in 5-5-5
    __m128i greenMaximum;  // green saturates one step below the top of its field
};

FieldLayout fieldLayout(PixelFormat format) {
    const bool wide = format == PixelFormat::Rgb565;
    return {_mm_set1_epi16(int16_t(wide ? 1 << 11 : 1 << 10)), _mm_cvtsi32_si128(wide ? 0 : 1),
            _mm_set1_epi16(int16_t(wide ? 62 : 30))};
}

__m128i pixelRow(const FieldLayout& layout, const int32_t* luma, const int32_t* cb, const int32_t* cr) {
    // Blue adds two unbounded samples: summed in 32 bits before saturating.
    __m128i blueSum[2], luma32[2];
    for (int half = 0; half < 2; ++half) {
        const __m128i y = _mm_add_epi32(_mm_srai_epi32(_mm_load_si128(reinterpret_cast<const __m128i*>(luma + 4 * half)), 4),
                                        _mm_set1_epi32(128));
        const __m128i c = _mm_srai_epi32(_mm_load_si128(reinterpret_cast<const __m128i*>(cb + 4 * half)), 3);
        luma32[half] = y;
        blueSum[half] = _mm_srai_epi32(_mm_add_epi32(y, c), 2);
    }
    const __m128i blueIndex = _mm_packs_epi32(blueSum[0], blueSum[1]);
    // Red and green add chroma of at most a few hundred to the luma. Saturated
    // luma and saturating sums still land beyond the same end of the table.
    const __m128i y = _mm_packs_epi32(luma32[0], luma32[1]);
    const __m128i red = crToRed(shiftedSamples(cr, 4));
    const __m128i green = cbToGreen(shiftedSamples(cb, 4));
    const __m128i redIndex = _mm_srai_epi16(_mm_adds_epi16(y, red), 2);
    const __m128i greenIndex = _mm_srai_epi16(_mm_subs_epi16(_mm_subs_epi16(y, _mm_srai_epi16(red, 1)), green), 2);

    const __m128i fiveBits = _mm_set1_epi16(31);
    const __m128i redBits = _mm_mullo_epi16(_mm_min_epi16(_mm_srli_epi16(colourLevel(redIndex), 1), fiveBits), layout.redScale);
    const __m128i greenBits =
        _mm_slli_epi16(_mm_min_epi16(_mm_srl_epi16(colourLevel(greenIndex), layout.greenShift), layout.greenMaximum), 5);
    const __m128i blueBits = _mm_min_epi16(_mm_srli_epi16(colourLevel(blueIndex), 1), fiveBits);
    return _mm_or_si128(_mm_or_si128(redBits, greenBits), blueBits);
}

}  // namespace

void convertToPixelsSse2(const ColourTables& tables, const CoefficientBlocks& blocks, uint16_t* destination) {
    const FieldLayout layout = fieldLayout(tables.format);
    for (int row = 0; row < 8; ++row) {
        const int at = 8 * row;
        const __m128i pixels = pixelRow(layout, blocks.block(0) + at, blocks.block(1) + at, blocks.block(2) + at);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + kPictureWidth * row), pixels);
    }
}

}  // namespace vk6

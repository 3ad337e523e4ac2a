#pragma once
// The colour conversion computed rather than looked up, in 16-bit lanes,
// written once for any vector width. Each instruction set's unit supplies
// Ops, the few operations the compiler's vector extensions do not express:
//   Int16s, Int32s              vectors of 16-bit lanes and of half as many 32-bit lanes
//   kRows                       picture rows one Int16s of pixels covers (one or two)
//   samples(block, part)        the 32-bit samples of part 0 or 1 of those rows
//   packs(a, b)                 a and b saturated to 16 bits, in the order store() expects
//   adds, subs, min, max        saturating 16-bit sums and differences, 16-bit minimum and maximum
//   mulhiUnsigned(a, b)         the high halves of the unsigned 16-bit products
//   magnitude(n), signOf(n, q)  |n|; q with the sign of n (q is 0 where n is)
//   store(destination, pixels)  kRows rows of 8 pixels, 640 pixels apart
//
// The operations of Ops that are one intrinsic each, named alike in every
// instruction set but for the prefix (_mm, _mm256) and the vector type
// (__m128i, __m256i).
#define VK6_COLOUR_LANE_INTRINSICS(prefix, Vector)                                                         \
    static Int16s packs(Int32s a, Int32s b) { return Int16s(prefix##_packs_epi32(Vector(a), Vector(b))); } \
    static Int16s adds(Int16s a, Int16s b) { return Int16s(prefix##_adds_epi16(Vector(a), Vector(b))); }   \
    static Int16s subs(Int16s a, Int16s b) { return Int16s(prefix##_subs_epi16(Vector(a), Vector(b))); }   \
    static Int16s min(Int16s a, Int16s b) { return Int16s(prefix##_min_epi16(Vector(a), Vector(b))); }     \
    static Int16s max(Int16s a, Int16s b) { return Int16s(prefix##_max_epi16(Vector(a), Vector(b))); }     \
    static Int16s mulhiUnsigned(Int16s a, Int16s b) { return Int16s(prefix##_mulhi_epu16(Vector(a), Vector(b))); }

// |n| and q with the sign of n, where the instruction set has no instruction
// for them: the sign spread over the lane, then one's complement and one more.
#define VK6_COLOUR_LANE_SIGNS                                                 \
    static Int16s magnitude(Int16s n) { return (n ^ (n >> 15)) - (n >> 15); } \
    static Int16s signOf(Int16s n, Int16s q) { return (q ^ (n >> 15)) - (n >> 15); }

// Clamping every index to its table's ends gives the reference's saturating
// and non-saturating results alike, so no range test per block is needed.
//
// In an unnamed namespace: each instruction set's translation unit compiles
// its own copy, for its own target, which no other unit's copy can replace.

#include <cstdint>

#include "decoder/pipeline/colour_conversion.h"
#include "decoder/pipeline/geometry_tables.h"

namespace decoder {
namespace {

template <class Ops>
class ColourLanes {
public:
    using Int16s = typename Ops::Int16s;
    using Int32s = typename Ops::Int32s;

    // A block whose mask says DC only is read at its entry 0 alone: the
    // inverse DCT leaves such blocks to this conversion. When both chroma
    // blocks are DC only, their part of every pixel is the same, found once.
    static void convert(const ColourTables& tables, const CoefficientBlocks& blocks, uint16_t* destination) {
        if (tables.format == PixelFormat::Rgb565)
            convertTo<Fields{11, 0, 62}>(blocks, destination);
        else
            convertTo<Fields{10, 1, 30}>(blocks, destination);
    }

private:
    // The pixel format's fields, constants of each conversion's code.
    struct Fields {
        int redShift;
        int greenShift;    // the green level is halved in 5-5-5
        int greenMaximum;  // green saturates one step below the top of its field
    };

    template <Fields fields>
    static void convertTo(const CoefficientBlocks& blocks, uint16_t* destination) {
        alignas(32) int32_t flat[3][8 * Ops::kRows];
        const Rows luma = rowsOf(blocks, 0, flat[0]), cb = rowsOf(blocks, 1, flat[1]), cr = rowsOf(blocks, 2, flat[2]);
        if (cb.step == 0 && cr.step == 0) {
            const Chroma chroma = chromaOf(cb.first, cr.first);
            for (int row = 0; row < 8; row += Ops::kRows)
                Ops::store(destination + format::kPictureWidth * row,
                           pixels<fields>(luma.first + luma.step * row, chroma));
            return;
        }
        for (int row = 0; row < 8; row += Ops::kRows)
            Ops::store(destination + format::kPictureWidth * row,
                       pixels<fields>(luma.first + luma.step * row,
                                      chromaOf(cb.first + cb.step * row, cr.first + cr.step * row)));
    }

    static Int16s splat(int value) { return Int16s{} + int16_t(value); }

    static Int16s clamp(Int16s x, int low, int high) { return Ops::min(Ops::max(x, splat(low)), splat(high)); }

    // 32-bit samples shifted right, saturated to 16 bits.
    static Int16s shiftedSamples(const int32_t* block, int shift) {
        return Ops::packs(Ops::samples(block, 0) >> shift, Ops::samples(block, 1) >> shift);
    }

    // Division rounding toward zero, as C++ divides, through the magnitude:
    // (a * 52429) >> 19 is a / 10 for a < 262144, (a * 43691) >> 17 is a / 3
    // for a < 131072; the lanes hold far less.
    template <int Multiplier, int Shift>
    static Int16s divideTowardZero(Int16s n) {
        typedef uint16_t Uint16s __attribute__((vector_size(sizeof(Int16s))));
        const Int16s quotient =
            Int16s(Uint16s(Ops::mulhiUnsigned(Ops::magnitude(n), splat(Multiplier))) >> (Shift - 16));
        return Ops::signOf(n, quotient);
    }

    // CrToRed: (16v + 8) / 10 with v clamped to the table.
    static Int16s crToRed(Int16s cr) {
        const Int16s v = clamp(cr, ColourTables::kChromaFirst, ColourTables::kChromaLast);
        return divideTowardZero<52429, 19>((v << 4) + 8);
    }

    // CbToGreen: v / 3 with v clamped to the table.
    static Int16s cbToGreen(Int16s cb) {
        return divideTowardZero<43691, 17>(clamp(cb, ColourTables::kChromaFirst, ColourTables::kChromaLast));
    }

    // The colour tables are 0 below index 0 and constant above 127.
    static Int16s colourLevel(Int16s index) { return clamp(index, 0, ColourTables::kColourLast); }

    // The rows of one block: 8 samples apart, or a DC-only block's value
    // spread over one vector's rows and read again for every row (step 0).
    struct Rows {
        const int32_t* first;
        int step;
    };

    static Rows rowsOf(const CoefficientBlocks& blocks, int component, int32_t* flat) {
        const int32_t* block = blocks.block(component);
        if (blocks.blockMask[size_t(component)] != 0x0101) return {block, 8};
        for (int i = 0; i < 8 * Ops::kRows; ++i) flat[i] = block[0];
        return {flat, 0};
    }

    // What the chroma of kRows rows adds to their luma: Cb / 8 to blue (in 32
    // bits, as blue adds two unbounded samples), CrToRed and CbToGreen.
    struct Chroma {
        Int32s blue[2];
        Int16s red, green;
    };

    static Chroma chromaOf(const int32_t* cb, const int32_t* cr) {
        return {{Ops::samples(cb, 0) >> 3, Ops::samples(cb, 1) >> 3},
                crToRed(shiftedSamples(cr, 4)),
                cbToGreen(shiftedSamples(cb, 4))};
    }

    template <Fields fields>
    static Int16s pixels(const int32_t* luma, const Chroma& chroma) {
        Int32s luma32[2], blueSum[2];
        for (int part = 0; part < 2; ++part) {
            luma32[part] = (Ops::samples(luma, part) >> 4) + 128;
            blueSum[part] = (luma32[part] + chroma.blue[part]) >> 2;
        }
        const Int16s blueIndex = Ops::packs(blueSum[0], blueSum[1]);
        // Red and green add chroma of at most a few hundred to the luma.
        // Saturated luma and saturating sums still land beyond the same end
        // of the table.
        const Int16s y = Ops::packs(luma32[0], luma32[1]);
        const Int16s redIndex = Ops::adds(y, chroma.red) >> 2;
        const Int16s greenIndex = Ops::subs(Ops::subs(y, chroma.red >> 1), chroma.green) >> 2;

        const Int16s fiveBits = splat(31);
        const Int16s redBits = Ops::min(colourLevel(redIndex) >> 1, fiveBits) << fields.redShift;
        const Int16s greenBits = Ops::min(colourLevel(greenIndex) >> fields.greenShift, splat(fields.greenMaximum))
                                 << 5;
        const Int16s blueBits = Ops::min(colourLevel(blueIndex) >> 1, fiveBits);
        return redBits | greenBits | blueBits;
    }
};

}  // namespace
}  // namespace decoder

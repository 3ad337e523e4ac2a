#include "decoder/pipeline/colour_conversion.h"

#include <algorithm>

#include "decoder/pipeline/geometry_tables.h"

namespace decoder {

using format::kPictureWidth;

void buildChromaTables(ColourTables& tables) {
    for (int v = ColourTables::kChromaFirst; v <= ColourTables::kChromaLast; ++v) {
        tables.crToRed[v + 256] = (16 * v + 8) / 10;
        tables.cbToGreen[v + 256] = v / 3;
    }
}

void buildColourTables(PixelFormat format, ColourTables& tables) {
    tables.format = format;
    const bool wide = format == PixelFormat::Rgb565;
    for (int i = ColourTables::kColourFirst; i <= ColourTables::kColourLast; ++i) {
        const int slot = i + 64;
        if (i < 0) {
            tables.redBits[slot] = tables.greenBits[slot] = tables.blueBits[slot] = 0;
            continue;
        }
        const int five = std::min(i >> 1, 31);
        // Green saturates one step below the top of its field.
        const int green = wide ? std::min(i, 62) : std::min(i >> 1, 30);
        tables.redBits[slot] = static_cast<uint16_t>(five << (wide ? 11 : 10));
        tables.greenBits[slot] = static_cast<uint16_t>(green << 5);
        tables.blueBits[slot] = static_cast<uint16_t>(five);
    }
}

namespace {

// Samples (times 16) of -2048..2047 keep every index inside its table: one
// test per block decides whether the indices need saturating.
bool samplesInRange(const CoefficientBlocks& blocks) {
    uint32_t spread = 0;
    for (int i = 0; i < 3 * 64; ++i) spread |= static_cast<uint32_t>(blocks.values[size_t(i)]) + 2048u;
    return spread < 4096;
}

template <bool Saturate>
int32_t chromaIndex(int32_t v) {
    if constexpr (Saturate) v = std::clamp(v, ColourTables::kChromaFirst, ColourTables::kChromaLast);
    return v + 256;
}

template <bool Saturate>
int32_t colourIndex(int32_t i) {
    if constexpr (Saturate) i = std::clamp(i, ColourTables::kColourFirst, ColourTables::kColourLast);
    return i + 64;
}

template <bool Saturate>
void convert(const ColourTables& tables, const CoefficientBlocks& blocks, uint16_t* destination) {
    const int32_t* luma = blocks.block(0);
    const int32_t* cb = blocks.block(1);
    const int32_t* cr = blocks.block(2);
    // A DC-only block is read at its entry 0 alone.
    const int lumaStep = blocks.blockMask[0] == 0x0101 ? 0 : 1, cbStep = blocks.blockMask[1] == 0x0101 ? 0 : 1,
              crStep = blocks.blockMask[2] == 0x0101 ? 0 : 1;
    for (int i = 0; i < 64; ++i) {
        const int32_t y = (luma[i * lumaStep] >> 4) + 128;
        const int32_t red = tables.crToRed[chromaIndex<Saturate>(cr[i * crStep] >> 4)];
        const int32_t green = tables.cbToGreen[chromaIndex<Saturate>(cb[i * cbStep] >> 4)];
        const int32_t redIndex = (y + red) >> 2;
        const int32_t blueIndex = (y + (cb[i * cbStep] >> 3)) >> 2;
        const int32_t greenIndex = (y - (red >> 1) - green) >> 2;
        destination[kPictureWidth * (i >> 3) + (i & 7)] = static_cast<uint16_t>(
            tables.redBits[colourIndex<Saturate>(redIndex)] | tables.greenBits[colourIndex<Saturate>(greenIndex)] |
            tables.blueBits[colourIndex<Saturate>(blueIndex)]);
    }
}

}  // namespace

void convertToPixelsReference(const ColourTables& tables, const CoefficientBlocks& blocks, uint16_t* destination) {
    if (samplesInRange(blocks)) {
        convert<false>(tables, blocks, destination);
    } else {
        convert<true>(tables, blocks, destination);
    }
}

}  // namespace decoder

#pragma once
// convertToPixels: Y, Cb and Cr samples (times 16, centred on zero) to 16-bit
// pixels through the tables XQMPI_Init builds for the chosen pixel format.

#include <array>
#include <cstdint>

#include "decoder/pipeline/coefficient_blocks.h"
#include "format/pixel_types.h"

namespace decoder {

using PixelFormat = format::PixelType;

struct ColourTables {
    static constexpr int kChromaFirst = -256, kChromaLast = 511;
    static constexpr int kColourFirst = -64, kColourLast = 127;

    std::array<int32_t, 768> crToRed;     // CrToRed, index v + 256
    std::array<int32_t, 768> cbToGreen;   // CbToGreen, index v + 256
    std::array<uint16_t, 192> redBits;    // RedBits, index i + 64
    std::array<uint16_t, 192> greenBits;  // GreenBits
    std::array<uint16_t, 192> blueBits;   // BlueBits
    PixelFormat format;                   // the format the three above were built for
};

void buildChromaTables(ColourTables& tables);
void buildColourTables(PixelFormat format, ColourTables& tables);

// Writes the 8x8 pixels of blocks at destination (rows 640 pixels apart).
// A block whose mask is 0x0101 (DC only) is read at its entry 0 alone, the
// value of all its samples; the inverse DCT leaves such blocks as they are.
// Indices outside the tables saturate to the nearest table end.
void convertToPixelsReference(const ColourTables& tables, const CoefficientBlocks& blocks, uint16_t* destination);

}  // namespace decoder

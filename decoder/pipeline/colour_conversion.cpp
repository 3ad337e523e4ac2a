#include "pipeline/colour_conversion.h"

#include <algorithm>

#include "pipeline/geometry_tables.h"

namespace vk6 {

void buildChromaTables(ColourTables& tables) {
    for (int v = ColourTables::kChromaFirst; v <= ColourTables::kChromaLast; ++v) {
        tables.crToRed[v + 256] = (16 * v + 8) / 10;
        tables.cbToGreen[v + 256] = v / 3;
    }
}

void buildColourTables(PixelFormat format, ColourTables& tables) {
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

int32_t chromaIndex(int32_t v) {
    return std::clamp(v, ColourTables::kChromaFirst, ColourTables::kChromaLast) + 256;
}

int32_t colourIndex(int32_t i) {
    return std::clamp(i, ColourTables::kColourFirst, ColourTables::kColourLast) + 64;
}

}  // namespace

void convertToPixelsReference(const ColourTables& tables, const CoefficientBlocks& blocks,
                              uint16_t* destination) {
    const int32_t* luma = blocks.block(0);
    const int32_t* cb = blocks.block(1);
    const int32_t* cr = blocks.block(2);
    for (int i = 0; i < 64; ++i) {
        const int32_t y = (luma[i] >> 4) + 128;
        const int32_t red = tables.crToRed[chromaIndex(cr[i] >> 4)];
        const int32_t green = tables.cbToGreen[chromaIndex(cb[i] >> 4)];
        const int32_t redIndex = (y + red) >> 2;
        const int32_t blueIndex = (y + (cb[i] >> 3)) >> 2;
        const int32_t greenIndex = (y - (red >> 1) - green) >> 2;
        destination[kPictureWidth * (i >> 3) + (i & 7)] =
            static_cast<uint16_t>(tables.redBits[colourIndex(redIndex)] |
                                  tables.greenBits[colourIndex(greenIndex)] |
                                  tables.blueBits[colourIndex(blueIndex)]);
    }
}

}  // namespace vk6

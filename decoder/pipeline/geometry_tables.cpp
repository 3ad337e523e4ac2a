#include "decoder/pipeline/geometry_tables.h"

namespace decoder {

using format::kPictureWidth;

void buildPositionTables(GeometryTables& tables) {
    for (uint32_t component = 0; component < 3; ++component) {
        for (int position = 0; position < 64; ++position) {
            const uint32_t natural = kZigzagToNatural[position];
            const uint32_t row = natural / 8, column = natural % 8;
            tables.positionMask[component][position] = (1u << (8 + row)) | (1u << column);
            tables.coefficientOffset[component][position] = 64 * component + natural;
        }
        for (int position = 64; position < kScanPositions; ++position) {
            tables.positionMask[component][position] = 0;
            tables.coefficientOffset[component][position] = kDiscardedCoefficient;
        }
    }
}

namespace {

// Square rings around (1/2, 1/2), written from the outermost corner (32, 32)
// backwards so that entry 0 ends up next to the centre.
void buildSpiral(OffsetTable& spiral) {
    int32_t offset = 32 * kPictureWidth + 32;
    int index = 4095;
    const int32_t steps[4] = {-1, -kPictureWidth, +1, +kPictureWidth};
    for (int side = 63; side >= 1; side -= 2) {
        for (int32_t step : steps) {
            for (int i = 0; i < side; ++i) {
                spiral[index--] = offset;
                offset += step;
            }
        }
        offset -= kPictureWidth + 1;
    }
}

}  // namespace

void buildDisplacementTables(GeometryTables& tables) {
    buildSpiral(tables.spiralOffsets);
    for (int k = 0; k < 4096; ++k) {
        tables.nearOffsets[k] = (31 - (k >> 6)) * kPictureWidth + (31 - (k & 63));
        tables.intraNearOffsets[k] = (6 - (k >> 7)) * kPictureWidth + (63 - (k & 127));
    }
}

}  // namespace decoder

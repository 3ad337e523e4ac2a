#pragma once
// inverseDct: the multiplication-free AAN inverse DCT of one coefficient
// block, in place, with the pass order and shortcuts chosen by its blockMask.

#include <bit>
#include <cstdint>

namespace decoder {

// What a block's mask leaves the inverse DCT to do. The pass order follows a
// signed byte comparison: a row byte with bit 7 set counts as negative.
struct DctPasses {
    enum Kind {
        DcOnly,     // one value: a fill
        OneColumn,  // columns first, of which only column 0: one line, then fills across
        OneRow,     // rows first, of which only row 0: one line, then copies down
        TopLeft,    // coefficients in the top-left 4x4 only (zeros elsewhere)
        General,
    };
    Kind kind;
    bool columnsFirst;
    int firstPassLines;  // the lines of the first pass up to the last occupied one
};

constexpr DctPasses dctPasses(uint32_t mask) {
    const uint32_t columns = mask & 0xFF, rows = (mask >> 8) & 0xFF;
    const bool columnsFirst = static_cast<int8_t>(rows) >= static_cast<int8_t>(columns);
    const int lines = int(std::bit_width(columnsFirst ? columns : rows));
    DctPasses::Kind kind = DctPasses::General;
    if (mask == 0x0101) {
        kind = DctPasses::DcOnly;
    } else if (columnsFirst && columns == 1) {
        kind = DctPasses::OneColumn;
    } else if (!columnsFirst && rows == 1) {
        kind = DctPasses::OneRow;
    } else if (columns > 1 && rows > 1 && (columns | rows) <= 0x0F) {
        kind = DctPasses::TopLeft;
    }
    return {kind, columnsFirst, lines};
}

void inverseDctReference(int32_t* block, uint32_t mask);

// The one-dimensional transform of the eight values `stride` apart from x, in
// place: one line of a pass.
void inverseDctLine(int32_t* x, int stride);

}  // namespace decoder

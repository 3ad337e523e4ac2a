#include "decoder/pipeline/inverse_dct.h"

#include <algorithm>
#include <bit>

#include "decoder/pipeline/aan_butterfly.h"

namespace decoder {

namespace {

constexpr int kRow = 1, kColumn = 8;

}  // namespace

void inverseDctLine(int32_t* x, int stride) {
    int32_t line[8];
    for (int i = 0; i < 8; ++i) line[i] = x[i * stride];
    aanButterfly(line);
    for (int i = 0; i < 8; ++i) x[i * stride] = line[i];
}

void inverseDctReference(int32_t* block, uint32_t mask) {
    if (mask == 0x0101) {
        std::fill(block, block + 64, block[0]);
        return;
    }
    const uint32_t columns = mask & 0xFF, rows = (mask >> 8) & 0xFF;
    // The pass order follows a signed byte comparison: a row byte with bit 7
    // set counts as negative. Both orders give the same transform up to the
    // truncation of the shifts, so the order is part of the result.
    if (static_cast<int8_t>(rows) >= static_cast<int8_t>(columns)) {
        for (int c = 0; c < int(std::bit_width(columns)); ++c) inverseDctLine(block + c, kColumn);
        if (columns == 1) {
            for (int r = 0; r < 8; ++r) std::fill(block + 8 * r + 1, block + 8 * r + 8, block[8 * r]);
        } else {
            for (int r = 0; r < 8; ++r) inverseDctLine(block + 8 * r, kRow);
        }
    } else {
        for (int r = 0; r < int(std::bit_width(rows)); ++r) inverseDctLine(block + 8 * r, kRow);
        if (rows == 1) {
            for (int r = 1; r < 8; ++r) std::copy(block, block + 8, block + 8 * r);
        } else {
            for (int c = 0; c < 8; ++c) inverseDctLine(block + c, kColumn);
        }
    }
}

}  // namespace decoder

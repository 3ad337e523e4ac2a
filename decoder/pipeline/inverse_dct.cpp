#include "pipeline/inverse_dct.h"

#include <algorithm>
#include <bit>

namespace vk6 {

namespace {

constexpr int kRow = 1, kColumn = 8;

}  // namespace

// The AAN butterfly with sqrt(2) ~ 3/2 and the rotations in sixteenths; the
// output is 16 times the sample value.
void inverseDctLine(int32_t* x, int stride) {
    const int32_t x0 = x[0], x1 = x[stride], x2 = x[2 * stride], x3 = x[3 * stride];
    const int32_t x4 = x[4 * stride], x5 = x[5 * stride], x6 = x[6 * stride], x7 = x[7 * stride];

    const int32_t t10 = x0 + x4, t11 = x0 - x4;
    const int32_t t13 = x2 + x6;
    const int32_t t12 = ((3 * (x2 - x6)) >> 1) - t13;
    const int32_t e0 = t10 + t13, e3 = t10 - t13, e1 = t11 + t12, e2 = t11 - t12;

    const int32_t z13 = x5 + x3, z10 = x5 - x3, z11 = x1 + x7, z12 = x1 - x7;
    const int32_t t7 = z11 + z13;
    const int32_t u11 = (3 * (z11 - z13)) >> 1;
    const int32_t z5 = 30 * (z10 + z12);
    const int32_t u10 = (17 * z12 - z5) >> 4;
    const int32_t u12 = (z5 - 40 * z10) >> 4;
    const int32_t t6 = u12 - t7, t5 = u11 - t6, t4 = u10 + t5;

    x[0] = e0 + t7;
    x[7 * stride] = e0 - t7;
    x[stride] = e1 + t6;
    x[6 * stride] = e1 - t6;
    x[2 * stride] = e2 + t5;
    x[5 * stride] = e2 - t5;
    x[4 * stride] = e3 + t4;
    x[3 * stride] = e3 - t4;
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

}  // namespace vk6

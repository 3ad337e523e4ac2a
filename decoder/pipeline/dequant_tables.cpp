#include "decoder/pipeline/dequant_tables.h"

#include "decoder/pipeline/geometry_tables.h"

namespace decoder {

// clang-format off
const std::array<int32_t, 64> AanScale = {
    16384, 22725, 21407, 19266, 16384, 12873, 8867,  4520,
    22725, 31521, 29692, 26722, 22725, 17855, 12299, 6270,
    21407, 29692, 27969, 25172, 21407, 16819, 11585, 5906,
    19266, 26722, 25172, 22654, 19266, 15137, 10426, 5315,
    16384, 22725, 21407, 19266, 16384, 12873, 8867,  4520,
    12873, 17855, 16819, 15137, 12873, 10114, 6967,  3552,
    8867,  12299, 11585, 10426, 8867,  6967,  4799,  2446,
    4520,  6270,  5906,  5315,  4520,  3552,  2446,  1247};
// clang-format on

// clang-format off
const std::array<int32_t, 64> LuminanceQuantisation = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
// clang-format on

// clang-format off
const std::array<int32_t, 64> ChrominanceQuantisation = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
    24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};
// clang-format on

namespace {

int32_t scaledFactor(int32_t base, int32_t scale, int32_t aan) {
    int32_t quantiser = (scale * base + 50) / 100;
    // The lower bound is 8, not 1: it keeps high qualities from going lossless.
    if (quantiser < 8) quantiser = 8;
    if (quantiser > 255) quantiser = 255;
    return static_cast<int32_t>((int64_t{quantiser} * aan) >> 13);
}

}  // namespace

void buildDequantTables(int quality, DequantTables& tables) {
    const int32_t scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
    for (int position = 0; position < 64; ++position) {
        const int natural = kZigzagToNatural[position];
        const int32_t luma = scaledFactor(LuminanceQuantisation[natural], scale, AanScale[natural]);
        const int32_t chroma = scaledFactor(ChrominanceQuantisation[natural], scale, AanScale[natural]);
        tables[0][position] = luma;
        tables[1][position] = chroma;
        tables[2][position] = chroma;
        tables[3][position] = -luma;
        tables[4][position] = -chroma;
        tables[5][position] = -chroma;
    }
    for (auto& row : tables) std::fill(row.begin() + 64, row.end(), 0);
}

}  // namespace decoder

#include "vk6enc/forward_dct.h"

namespace vk6enc {

namespace {

constexpr int kShift = 14;

// cos(k pi / 16) / 2 in 14-bit fixed point, k = 0..8.
constexpr int32_t kHalfCosine[9] = {8192, 8035, 7568, 6811, 5793, 4551, 3135, 1598, 0};

constexpr int32_t halfCosine(int k) {
    k %= 32;
    if (k > 16) k = 32 - k;
    return k > 8 ? -kHalfCosine[16 - k] : kHalfCosine[k];
}

// basis[u][x] = C(u) / 2 x cos((2x + 1) u pi / 16), with C(0) = 1 / sqrt(2).
constexpr std::array<std::array<int32_t, 8>, 8> makeBasis() {
    std::array<std::array<int32_t, 8>, 8> basis{};
    for (int u = 0; u < 8; ++u)
        for (int x = 0; x < 8; ++x) basis[u][x] = u == 0 ? 5793 : halfCosine((2 * x + 1) * u);
    return basis;
}

constexpr auto kBasis = makeBasis();

int32_t roundShift(int64_t value) { return static_cast<int32_t>((value + (int64_t{1} << (kShift - 1))) >> kShift); }

}  // namespace

void forwardDct(const std::array<int32_t, 64>& samples, std::array<int32_t, 64>& coefficients) {
    // Samples stay within 2^14 in magnitude, so a row's sums fit 32 bits.
    std::array<int32_t, 64> rows;  // each row transformed
    for (int y = 0; y < 8; ++y)
        for (int u = 0; u < 8; ++u) {
            int32_t sum = 0;
            for (int x = 0; x < 8; ++x) sum += samples[8 * y + x] * kBasis[u][x];
            rows[8 * y + u] = roundShift(sum);
        }
    for (int v = 0; v < 8; ++v)
        for (int u = 0; u < 8; ++u) {
            int64_t sum = 0;
            for (int y = 0; y < 8; ++y) sum += int64_t{rows[8 * y + u]} * kBasis[v][y];
            coefficients[8 * v + u] = roundShift(sum);
        }
}

}  // namespace vk6enc

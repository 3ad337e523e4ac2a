#include "encoder/forward_dct.h"

namespace encoder {

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

// One 8-point transform of values `stride` apart. The basis is symmetric
// (even rows) or antisymmetric (odd rows) about its middle, so sums and
// differences of mirrored inputs halve the products with the same result.
template <typename Sum>
void transformLine(const int32_t* in, int inStride, int32_t* out, int outStride) {
    Sum sums[4], differences[4];
    for (int k = 0; k < 4; ++k) {
        sums[k] = Sum(in[k * inStride]) + in[(7 - k) * inStride];
        differences[k] = Sum(in[k * inStride]) - in[(7 - k) * inStride];
    }
    for (int u = 0; u < 8; ++u) {
        const Sum* half = (u & 1) ? differences : sums;
        Sum sum = 0;
        for (int k = 0; k < 4; ++k) sum += half[k] * kBasis[u][k];
        out[u * outStride] = roundShift(sum);
    }
}

}  // namespace

void forwardDct(const std::array<int32_t, 64>& samples, std::array<int32_t, 64>& coefficients) {
    // Samples stay within 2^14 in magnitude, so a row's sums fit 32 bits.
    std::array<int32_t, 64> rows;  // each row transformed
    for (int y = 0; y < 8; ++y) transformLine<int32_t>(samples.data() + 8 * y, 1, rows.data() + 8 * y, 1);
    for (int u = 0; u < 8; ++u) transformLine<int64_t>(rows.data() + u, 8, coefficients.data() + u, 8);
}

}  // namespace encoder

#include "bench/encoder/bd_rate.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace bench {

namespace {

using Cubic = std::array<double, 4>;  // c0 + c1 p + c2 p^2 + c3 p^3

// Least-squares cubic through (psnr - centre, log10 rate), by the normal
// equations; the centre keeps them well conditioned.
Cubic fitLogRate(const std::vector<RatePoint>& points, double centre) {
    double m[4][5] = {};
    for (const RatePoint& point : points) {
        const double p = point.psnr - centre;
        const double powers[4] = {1, p, p * p, p * p * p};
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 4; ++c) m[r][c] += powers[r] * powers[c];
            m[r][4] += powers[r] * std::log10(point.rate);
        }
    }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r)
            if (std::fabs(m[r][col]) > std::fabs(m[pivot][col])) pivot = r;
        std::swap(m[col], m[pivot]);
        for (int r = 0; r < 4; ++r) {
            if (r == col) continue;
            const double f = m[r][col] / m[col][col];
            for (int c = col; c < 5; ++c) m[r][c] -= f * m[col][c];
        }
    }
    Cubic cubic;
    for (int i = 0; i < 4; ++i) cubic[i] = m[i][4] / m[i][i];
    return cubic;
}

double integral(const Cubic& c, double low, double high) {
    auto primitive = [&](double p) {
        return c[0] * p + c[1] * p * p / 2 + c[2] * p * p * p / 3 + c[3] * p * p * p * p / 4;
    };
    return primitive(high) - primitive(low);
}

std::pair<double, double> psnrRange(const std::vector<RatePoint>& points) {
    const auto [low, high] = std::minmax_element(
        points.begin(), points.end(), [](const RatePoint& a, const RatePoint& b) { return a.psnr < b.psnr; });
    return {low->psnr, high->psnr};
}

}  // namespace

std::optional<double> bdRate(const std::vector<RatePoint>& anchor, const std::vector<RatePoint>& test) {
    if (anchor.size() < 4 || test.size() < 4) return std::nullopt;
    const auto [anchorLow, anchorHigh] = psnrRange(anchor);
    const auto [testLow, testHigh] = psnrRange(test);
    const double low = std::max(anchorLow, testLow), high = std::min(anchorHigh, testHigh);
    if (high <= low) return std::nullopt;
    const double width = high - low;
    const double meanDifference =
        (integral(fitLogRate(test, low), 0, width) - integral(fitLogRate(anchor, low), 0, width)) / width;
    return (std::pow(10.0, meanDifference) - 1) * 100;
}

}  // namespace bench

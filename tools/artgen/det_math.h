#pragma once
// Sine, cosine, arctangent and exponential from plain double arithmetic, so the
// generated bitmaps are the same bytes with every C library: only +, -, x, /
// and sqrt are used, all of them exactly rounded.

#include <cmath>

namespace artgen {

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kTwoPi = 2.0 * kPi;

inline double clamp01(double v) { return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v); }
inline double mix(double a, double b, double t) { return a + (b - a) * t; }
inline double smoothstep(double e0, double e1, double x) {
    double t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3.0 - 2.0 * t);
}

// Reduces x to [-pi, pi] and sums the Taylor series there (error < 1e-12).
inline double detSin(double x) {
    double turns = std::floor(x / kTwoPi + 0.5);
    x -= turns * kTwoPi;
    if (x > kPi / 2) x = kPi - x;
    if (x < -kPi / 2) x = -kPi - x;
    double x2 = x * x, term = x, sum = x;
    for (int n = 1; n <= 10; ++n) {
        term *= -x2 / ((2.0 * n) * (2.0 * n + 1.0));
        sum += term;
    }
    return sum;
}
inline double detCos(double x) { return detSin(x + kPi / 2); }

// atan on [0, 1]: two argument halvings, then the series.
inline double atanUnit(double a) {
    for (int i = 0; i < 2; ++i) a = a / (1.0 + std::sqrt(1.0 + a * a));
    double a2 = a * a, term = a, sum = a;
    for (int n = 1; n <= 12; ++n) {
        term *= -a2;
        sum += term / (2.0 * n + 1.0);
    }
    return 4.0 * sum;
}

inline double detAtan2(double y, double x) {
    double ax = std::fabs(x), ay = std::fabs(y);
    if (ax == 0.0 && ay == 0.0) return 0.0;
    double r = ay <= ax ? atanUnit(ay / ax) : kPi / 2 - atanUnit(ax / ay);
    if (x < 0) r = kPi - r;
    return y < 0 ? -r : r;
}

// e^x for the falloffs of glows; x <= 0 in practice.
inline double detExp(double x) {
    if (x < -60.0) return 0.0;
    int halvings = 0;
    while (std::fabs(x) > 0.5) {
        x *= 0.5;
        ++halvings;
    }
    double term = 1.0, sum = 1.0;
    for (int n = 1; n <= 14; ++n) {
        term *= x / n;
        sum += term;
    }
    while (halvings-- > 0) sum *= sum;
    return sum;
}

// x^(2^k) by squaring: the specular lobes.
inline double powTwoK(double x, int k) {
    while (k-- > 0) x *= x;
    return x;
}

}  // namespace artgen

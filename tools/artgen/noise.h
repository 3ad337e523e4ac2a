#pragma once
// Deterministic value noise for brushed metal and glass.

#include <cmath>
#include <cstdint>

#include "tools/artgen/det_math.h"

namespace artgen {

inline double hashUnit(std::int64_t x, std::int64_t y, std::uint32_t seed) {
    std::uint64_t h = static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ull ^
                      static_cast<std::uint64_t>(y) * 0xC2B2AE3D27D4EB4Full ^ seed * 0x165667B19E3779F9ull;
    h ^= h >> 31;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 29;
    return static_cast<double>(h >> 11) / 9007199254740992.0;
}

// Smoothly interpolated noise in [0, 1) on a lattice of unit spacing.
inline double valueNoise(double x, double y, std::uint32_t seed) {
    double fx = std::floor(x), fy = std::floor(y);
    auto ix = static_cast<std::int64_t>(fx), iy = static_cast<std::int64_t>(fy);
    double tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    double a = mix(hashUnit(ix, iy, seed), hashUnit(ix + 1, iy, seed), tx);
    double b = mix(hashUnit(ix, iy + 1, seed), hashUnit(ix + 1, iy + 1, seed), tx);
    return mix(a, b, ty);
}

// Horizontal streaks of brushed metal, about -0.5 to 0.5.
inline double brushed(double x, double y) {
    return 0.6 * (valueNoise(x * 0.015, y * 0.9, 7) - 0.5) + 0.4 * (valueNoise(x * 0.06, y * 2.1, 11) - 0.5);
}

}  // namespace artgen

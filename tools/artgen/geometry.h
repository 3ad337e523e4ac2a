#pragma once
// Signed distance functions in pixels (negative inside) and what is built from
// them: anti-aliased coverage and smooth unions.

#include <cmath>

#include "tools/artgen/det_math.h"

namespace artgen {

struct Vec {
    double x = 0, y = 0;
};
inline Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
inline Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
inline Vec operator*(Vec a, double k) { return {a.x * k, a.y * k}; }
inline double dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
inline double length(Vec a) { return std::sqrt(dot(a, a)); }

inline double sdCircle(Vec p, Vec centre, double radius) { return length(p - centre) - radius; }

inline double sdRoundedBox(Vec p, Vec centre, Vec half, double radius) {
    double qx = std::fabs(p.x - centre.x) - half.x + radius;
    double qy = std::fabs(p.y - centre.y) - half.y + radius;
    double ox = qx > 0 ? qx : 0, oy = qy > 0 ? qy : 0;
    double inside = qx > qy ? qx : qy;
    return std::sqrt(ox * ox + oy * oy) + (inside < 0 ? inside : 0) - radius;
}

inline double distanceToSegment(Vec p, Vec a, Vec b) {
    Vec ab = b - a, ap = p - a;
    double len2 = dot(ab, ab);
    double t = len2 > 0 ? clamp01(dot(ap, ab) / len2) : 0.0;
    return length(ap - ab * t);
}

inline double sdCapsule(Vec p, Vec a, Vec b, double radius) { return distanceToSegment(p, a, b) - radius; }

// Union whose seams are rounded over a width k.
inline double smoothUnion(double d1, double d2, double k) {
    double h = clamp01(0.5 + 0.5 * (d2 - d1) / k);
    return mix(d2, d1, h) - k * h * (1.0 - h);
}

// Fraction of a pixel covered by the inside of a distance field.
inline double coverage(double d) { return clamp01(0.5 - d); }

// A soft bump of height 1 at distance 0 that reaches 0 at distance `width`.
inline double bump(double d, double width) {
    double t = clamp01(1.0 - std::fabs(d) / width);
    return t * t * (3.0 - 2.0 * t);
}

// Clockwise angle on the screen (y down) from straight down, in [0, 2 pi).
inline double clockwiseFromDown(Vec v) {
    double a = detAtan2(-v.x, v.y);
    return a < 0 ? a + kTwoPi : a;
}
// The unit vector at that angle.
inline Vec directionClockwiseFromDown(double angle) { return {-detSin(angle), detCos(angle)}; }

}  // namespace artgen

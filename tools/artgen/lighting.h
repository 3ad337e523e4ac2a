#pragma once
// Light on a relief: the console and its parts are height fields lit from
// the upper left, with a soft lobe of specular light.

#include <cmath>

#include "tools/artgen/canvas.h"
#include "tools/artgen/geometry.h"

namespace artgen {

struct Surface3 {
    double nx, ny, nz;
};

// The normal of a height field at p, from differences half a pixel apart.
template <class HeightField>
Surface3 reliefNormal(const HeightField& h, Vec p) {
    double dx = h({p.x + 0.5, p.y}) - h({p.x - 0.5, p.y});
    double dy = h({p.x, p.y + 0.5}) - h({p.x, p.y - 0.5});
    double len = std::sqrt(dx * dx + dy * dy + 1.0);
    return {-dx / len, -dy / len, 1.0 / len};
}

// Diffuse and specular light on a surface of colour `base`.
inline Colour shade(Colour base, Surface3 n, double shininess = 1.0) {
    // Light from the upper left, and the half vector towards a viewer above.
    const double lx = -0.48, ly = -0.62, lz = 0.62;
    const double hx = -0.27, hy = -0.35, hz = 0.90;
    double diffuse = n.nx * lx + n.ny * ly + n.nz * lz;
    if (diffuse < 0) diffuse = 0;
    double half = n.nx * hx + n.ny * hy + n.nz * hz;
    double specular = half > 0 ? powTwoK(half, 6) : 0;
    Colour lit = base * (0.32 + 1.1 * diffuse);
    return lit + Colour{0.85, 0.9, 1.0} * (specular * 0.55 * shininess);
}

}  // namespace artgen

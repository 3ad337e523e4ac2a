#include "tools/artgen/icon.h"

#include "tools/artgen/canvas.h"
#include "tools/artgen/geometry.h"
#include "tools/artgen/layout.h"
#include "tools/artgen/lighting.h"

namespace artgen {

IconImage renderIcon(int size) {
    const double s = size / 32.0;
    const Vec centre{size / 2.0, size / 2.0};
    const double plate = 15.4 * s, cap = 8.0 * s, arc = 11.6 * s;
    const double pointer = knobFrameAngle(10);
    const Colour teal{0.30, 0.98, 0.90};
    Canvas colour(size, size);
    std::vector<double> alpha(static_cast<std::size_t>(size) * size, 0.0);
    auto plateHeight = [&](Vec q) { return 4.0 * s * clamp01((plate - length(q - centre)) / (3.0 * s)); };
    auto capHeight = [&](Vec q) { return 4.0 * s * clamp01((cap - length(q - centre)) / (2.0 * s)); };
    colour.paint({0, 0, size, size}, [&](double x, double y, Colour& px) {
        Vec p{x, y};
        Vec v = p - centre;
        double r = length(v);
        px = shade(rgb(0x2c313b), reliefNormal(plateHeight, p));
        // The lit arc from the lowest position up to the pointer, then dark.
        double angle = clockwiseFromDown(v);
        double band = coverage(std::fabs(r - arc) - 1.5 * s);
        bool lit = angle >= knobFrameAngle(0) - 0.2 && angle <= pointer + 0.1;
        px = mixColour(px, lit ? teal : Colour{0.04, 0.07, 0.08}, band);
        if (lit) px = px + teal * (0.25 * clamp01(1.0 - std::fabs(r - arc) / (4.0 * s)));
        Colour metal = shade(Colour{0.55, 0.58, 0.62}, reliefNormal(capHeight, p), 1.5);
        Vec tip = centre + directionClockwiseFromDown(pointer) * (cap * 0.85);
        metal = mixColour(metal, Colour{0.8, 1.0, 0.97}, coverage(distanceToSegment(p, centre, tip) - 0.9 * s));
        px = mixColour(px, metal, coverage(r - cap));
        alpha[static_cast<std::size_t>(y) * size + static_cast<std::size_t>(x)] = coverage(r - plate);
    });
    IconImage image{size, {}};
    std::vector<std::uint8_t> bgr = colour.toBgr();
    for (std::size_t i = 0; i < alpha.size(); ++i) {
        image.bgraTopDown.insert(image.bgraTopDown.end(), bgr.begin() + 3 * i, bgr.begin() + 3 * i + 3);
        image.bgraTopDown.push_back(static_cast<std::uint8_t>(std::floor(alpha[i] * 255.0 + 0.5)));
    }
    return image;
}

}  // namespace artgen

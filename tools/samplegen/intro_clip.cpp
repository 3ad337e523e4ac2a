#include "tools/samplegen/intro_clip.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "tools/artgen/canvas.h"
#include "tools/artgen/det_math.h"
#include "tools/artgen/geometry.h"
#include "tools/artgen/noise.h"
#include "tools/artgen/stroke_font.h"

namespace samplegen {
namespace {

using artgen::Colour;
using artgen::Vec;

// Whole pixels per frame, so the sky's motion is an exact displacement.
constexpr int kPanPerFrame = 3;
constexpr std::string_view kTitle = "ORVANE";

// Fractal noise: three octaves of value noise, about 0 to 1.
double clouds(double x, double y, std::uint32_t seed) {
    return 0.55 * artgen::valueNoise(x, y, seed) + 0.3 * artgen::valueNoise(x * 2.1, y * 2.1, seed + 1) +
           0.15 * artgen::valueNoise(x * 4.3, y * 4.3, seed + 2);
}

Colour skyAt(int x, int y) {
    double n = clouds(x / 140.0, y / 110.0, 21);
    double veil = artgen::smoothstep(0.45, 0.85, n);
    Colour nebula = artgen::mixColour(artgen::rgb(0x06081A), artgen::rgb(0x3A1F5C), veil);
    nebula = nebula + artgen::rgb(0x0E4050) * (0.6 * artgen::smoothstep(0.6, 0.95, clouds(x / 60.0, y / 60.0, 5)));
    // Stars on a lattice: a few cells in a hundred hold one, of random brightness.
    double star = artgen::hashUnit(x, y, 77);
    if (star > 0.996) nebula = nebula + Colour{1, 1, 1} * ((star - 0.996) / 0.004);
    return nebula;
}

// A lit sphere whose surface bands turn slowly with the frame.
bool planetAt(Vec p, int index, Colour& out) {
    const Vec centre{500, 410.0 - index};
    const double radius = 120;
    Vec d = (p - centre) * (1.0 / radius);
    double r2 = artgen::dot(d, d);
    if (r2 >= 1.0) return false;
    double z = std::sqrt(1.0 - r2);
    double light = std::max(0.0, -0.55 * d.x - 0.45 * d.y + 0.7 * z);
    double longitude = artgen::detAtan2(d.x, z) + 0.02 * index;
    double bands = clouds(longitude * 3.0, d.y * 6.0, 9);
    Colour surface = artgen::mixColour(artgen::rgb(0x8A4B2A), artgen::rgb(0xE0B070), bands);
    double rim = artgen::smoothstep(0.92, 1.0, std::sqrt(r2));
    out = surface * (0.08 + 0.92 * light) + artgen::rgb(0x3FD8E0) * (0.5 * rim);
    return true;
}

// The title fades in over the clip's second quarter, with a teal glow.
Colour withTitle(Colour c, Vec p, int index, int frameCount) {
    double appear = artgen::clamp01((index - frameCount * 0.25) / (frameCount * 0.25));
    if (appear <= 0.0) return c;
    const double scale = 6.0, advance = 62.0;
    const artgen::TextPlacement at{{(kClipWidth - artgen::textWidth(kTitle, scale, advance)) / 2, 150}, scale, advance};
    double d = artgen::textDistance(kTitle, at, p);
    double core = artgen::clamp01(4.5 - d);
    double glow = artgen::detExp(-d / 9.0) * 0.8;
    Colour teal = artgen::rgb(0x3FD8E0);
    return artgen::mixColour(c + teal * (glow * appear), Colour{0.85, 1, 1}, core * appear);
}

std::uint8_t toByte(double v) { return static_cast<std::uint8_t>(artgen::clamp01(v) * 255.0 + 0.5); }

}  // namespace

IntroClip::IntroClip(int frameCount)
    : frameCount_(frameCount), skyWidth_(kClipWidth + kPanPerFrame * std::max(frameCount, 1)) {
    sky_.resize(static_cast<std::size_t>(skyWidth_) * kClipHeight * 3);
    for (int y = 0; y < kClipHeight; ++y)
        for (int x = 0; x < skyWidth_; ++x) {
            Colour c = skyAt(x, y);
            float* px = &sky_[(static_cast<std::size_t>(y) * skyWidth_ + x) * 3];
            px[0] = static_cast<float>(c.r), px[1] = static_cast<float>(c.g), px[2] = static_cast<float>(c.b);
        }
}

std::vector<std::uint8_t> IntroClip::frame(int index) const {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(kClipWidth) * kClipHeight * 3);
    const int pan = kPanPerFrame * index;
    const artgen::Rect titleBox =
        artgen::textBounds(kTitle, {{(kClipWidth - artgen::textWidth(kTitle, 6.0, 62.0)) / 2, 150}, 6.0, 62.0}, 40);
    for (int y = 0; y < kClipHeight; ++y)
        for (int x = 0; x < kClipWidth; ++x) {
            const float* s = &sky_[(static_cast<std::size_t>(y) * skyWidth_ + x + pan) * 3];
            Colour c{s[0], s[1], s[2]};
            Vec p{x + 0.5, y + 0.5};
            planetAt(p, index, c);
            if (x >= titleBox.x && x < titleBox.x + titleBox.w && y >= titleBox.y && y < titleBox.y + titleBox.h)
                c = withTitle(c, p, index, frameCount_);
            std::uint8_t* out = &rgb[(static_cast<std::size_t>(y) * kClipWidth + x) * 3];
            out[0] = toByte(c.r), out[1] = toByte(c.g), out[2] = toByte(c.b);
        }
    return rgb;
}

}  // namespace samplegen

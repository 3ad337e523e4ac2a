#include "tools/artgen/canvas.h"

#include <cmath>

namespace artgen {

Canvas::Canvas(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

void Canvas::blend(int x, int y, Colour c, double a) {
    if (a <= 0.0) return;
    Colour& p = at(x, y);
    p = a >= 1.0 ? c : mixColour(p, c, a);
}

Canvas Canvas::crop(Rect r) const {
    Canvas out(r.w, r.h);
    for (int y = 0; y < r.h; ++y)
        for (int x = 0; x < r.w; ++x) out.at(x, y) = at(r.x + x, r.y + y);
    return out;
}

void Canvas::paste(const Canvas& part, int x, int y) {
    for (int py = 0; py < part.height(); ++py)
        for (int px = 0; px < part.width(); ++px) at(x + px, y + py) = part.at(px, py);
}

static std::uint8_t toByte(double v) {
    double s = std::floor(v * 255.0 + 0.5);
    return static_cast<std::uint8_t>(s < 0 ? 0 : (s > 255 ? 255 : s));
}

std::vector<std::uint8_t> Canvas::toBgr() const {
    std::vector<std::uint8_t> out;
    out.reserve(pixels_.size() * 3);
    for (const Colour& c : pixels_) {
        out.push_back(toByte(c.b));
        out.push_back(toByte(c.g));
        out.push_back(toByte(c.r));
    }
    return out;
}

std::vector<std::uint8_t> IndexedImage::toBgr() const {
    std::vector<std::uint8_t> out;
    out.reserve(pixels.size() * 3);
    for (std::uint32_t p : pixels) {
        out.push_back(static_cast<std::uint8_t>(p));
        out.push_back(static_cast<std::uint8_t>(p >> 8));
        out.push_back(static_cast<std::uint8_t>(p >> 16));
    }
    return out;
}

}  // namespace artgen

#pragma once
// A picture being painted: colours as doubles from 0 to 1, rows from the top.

#include <cstdint>
#include <vector>

namespace artgen {

struct Colour {
    double r = 0, g = 0, b = 0;
};
inline Colour operator*(Colour c, double k) { return {c.r * k, c.g * k, c.b * k}; }
inline Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Colour operator*(Colour a, Colour b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
inline Colour mixColour(Colour a, Colour b, double t) { return a * (1.0 - t) + b * t; }
inline Colour rgb(int hex) { return {((hex >> 16) & 0xFF) / 255.0, ((hex >> 8) & 0xFF) / 255.0, (hex & 0xFF) / 255.0}; }

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

class Canvas {
public:
    Canvas(int width, int height, Colour fill = {});

    int width() const { return width_; }
    int height() const { return height_; }
    Colour& at(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    const Colour& at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

    // Paints c over the pixel with coverage a (0 keeps the pixel, 1 replaces it).
    void blend(int x, int y, Colour c, double a);
    // Adds light: glows and lit glass.
    void add(int x, int y, Colour c) { at(x, y) = at(x, y) + c; }

    // Calls f(px, py, pixel) for every pixel of r inside the canvas, with
    // (px, py) the pixel's centre in the canvas's coordinates.
    template <class F>
    void paint(Rect r, F f) {
        for (int y = r.y < 0 ? 0 : r.y; y < r.y + r.h && y < height_; ++y)
            for (int x = r.x < 0 ? 0 : r.x; x < r.x + r.w && x < width_; ++x) f(x + 0.5, y + 0.5, at(x, y));
    }

    Canvas crop(Rect r) const;
    // Places `part` with its top-left pixel at (x, y).
    void paste(const Canvas& part, int x, int y);

    // 8-bit blue, green, red triples, rows from the top, rounded to nearest.
    std::vector<std::uint8_t> toBgr() const;

private:
    int width_, height_;
    std::vector<Colour> pixels_;
};

// Canvas of the same size whose pixels are exact 24-bit colours, for the hit
// map, where no value may be rounded.
struct IndexedImage {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB
    std::vector<std::uint8_t> toBgr() const;
};

}  // namespace artgen

#pragma once
// The one pixel format of the skinned interface and the three operations that
// everything on the screen is built from.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace setup {

// One pixel: 0x00RRGGBB, in memory the bytes blue, green, red, 0.
using Pixel = std::uint32_t;

// width x height pixels, rows from the top, no gap between rows.
struct Surface {
    int width = 0;
    int height = 0;
    std::vector<Pixel> pixels;

    Surface() = default;
    Surface(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h) {}

    Pixel at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    Pixel& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// The additive blend of glyphs and particles. The lowest green and red bits of
// both operands are dropped, so a channel's carry lands in that bit of the next
// channel and stays there: 0x00FF00 + 0x00FF00 gives 0x01FF00.
constexpr Pixel saturatingAdd(Pixel scenePixel, Pixel colour) {
    Pixel s = (scenePixel & 0xFEFEFFu) + (colour & 0xFEFEFFu);
    if (s & 0x100u) s |= 0xFFu;
    if (s & 0x10000u) s |= 0xFF00u;
    if (s & 0xFF000000u) s = (s & 0xFFFFu) | 0xFF0000u;
    return s;
}

// Opaque copies without clipping: the caller places the source wholly inside
// the scene.
void blitBitmap(Surface& scene, const Surface& bitmap, int x, int y);
// Copies the columns sourceX .. sourceX + frameWidth - 1 of every row.
void blitFrame(Surface& scene, const Surface& bitmap, int sourceX, int frameWidth, int x, int y);

}  // namespace setup

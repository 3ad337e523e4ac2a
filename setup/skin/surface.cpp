#include "setup/skin/surface.h"

#include <algorithm>

namespace setup {

void blitFrame(Surface& scene, const Surface& bitmap, int sourceX, int frameWidth, int x, int y) {
    for (int row = 0; row < bitmap.height; ++row) {
        const Pixel* from = &bitmap.pixels[static_cast<std::size_t>(row) * bitmap.width + sourceX];
        std::copy_n(from, frameWidth, &scene.at(x, y + row));
    }
}

void blitBitmap(Surface& scene, const Surface& bitmap, int x, int y) {
    blitFrame(scene, bitmap, 0, bitmap.width, x, y);
}

}  // namespace setup

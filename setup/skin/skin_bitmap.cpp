#include "setup/skin/skin_bitmap.h"

#include <algorithm>

namespace setup {

Surface loadPixels(Platform& platform, int id) {
    BitmapBits bits;
    // Bits shorter than their size claims would be read past their end: such a
    // resource counts as missing.
    if (!platform.loadBitmap(id, bits) || bits.width <= 0 || bits.height <= 0 ||
        bits.bgr.size() < static_cast<std::size_t>(bits.width) * bits.height * 3) {
        platform.fatalStop(kBitmapMissing);
    }
    Surface surface(bits.width, bits.height);
    const std::uint8_t* bgr = bits.bgr.data();
    for (Pixel& pixel : surface.pixels) {
        pixel = static_cast<Pixel>(bgr[0]) | static_cast<Pixel>(bgr[1]) << 8 | static_cast<Pixel>(bgr[2]) << 16;
        bgr += 3;
    }
    return surface;
}

const SkinBitmap& loadSkinBitmap(BitmapCache& cache, Platform& platform, int id) {
    auto cached = std::find_if(cache.begin(), cache.end(), [id](const SkinBitmap& b) { return b.id == id; });
    if (cached != cache.end()) return *cached;
    cache.push_front(SkinBitmap{id, loadPixels(platform, id)});
    return cache.front();
}

}  // namespace setup

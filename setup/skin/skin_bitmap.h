#pragma once
// Resource bitmaps expanded to the interface's pixel format, and the cache of
// the controls' bitmaps.

#include <forward_list>

#include "setup/skin/surface.h"
#include "setup/system/platform.h"

namespace setup {

// Resource ids of the bitmaps the scene itself loads.
inline constexpr int kBackgroundBitmap = 136;
inline constexpr int kHitMapBitmap = 146;
inline constexpr int kFontAtlasBitmap = 144;

// A cached control bitmap; the cache owns it until the scene goes.
struct SkinBitmap {
    int id = 0;
    Surface image;
};

// New records go to the head; a record's address never changes, so controls
// keep plain pointers to them.
using BitmapCache = std::forward_list<SkinBitmap>;

// The resource's pixels, not cached. A resource that cannot be loaded is
// fatal: the platform shows kBitmapMissing and ends the process.
Surface loadPixels(Platform& platform, int id);

// The first cached record with that id, else a newly loaded one put at the
// head of the cache.
const SkinBitmap& loadSkinBitmap(BitmapCache& cache, Platform& platform, int id);

}  // namespace setup

#pragma once
// A platform whose resources are small synthetic stand-ins with the skin's ids
// and sizes, so the skin can be tested apart from the shipped artwork.

#include <cstdint>
#include <map>
#include <string>

#include "setup/platform/headless/headless_platform.h"
#include "setup/skin/surface.h"

namespace setup::test {

// The English help texts in the resource's layout: CR LF lines, empty lines
// between sections, no line break after the last line.
extern const char* const kEnglishHelpText;

class SyntheticSkinPlatform : public HeadlessPlatform {
public:
    SyntheticSkinPlatform();  // every skin bitmap, and the text resource 150

    bool loadBitmap(int id, BitmapBits& out) override;
    bool loadText(int id, std::string& out) override;

    std::map<int, Surface> bitmaps;
    std::map<int, std::string> texts;
    int bitmapLoads = 0;
};

// FNV-1a over the pixels' bytes: pins a composed frame in a test.
std::uint64_t frameHash(const Surface& frame);

// A bitmap whose every pixel tells its id and place.
Surface patternSurface(int id, int width, int height);

}  // namespace setup::test

// The shipped skin against the rules the program relies on: ids and sizes,
// the hit map's key colour and control colours, and control bitmaps that fit
// the background at the places they are drawn.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <set>
#include <vector>

#include "setup/resources/embedded_resources.h"

namespace setup {
namespace {

constexpr std::uint32_t kKey = 0xFF00FE;

struct Image {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

Image load(int id) {
    BitmapBits bits;
    EXPECT_TRUE(decodeEmbeddedBitmap(id, bits)) << "bitmap " << id;
    Image image{bits.width, bits.height, {}};
    for (std::size_t i = 0; i + 2 < bits.bgr.size(); i += 3)
        image.pixels.push_back(bits.bgr[i] | (bits.bgr[i + 1] << 8) | (bits.bgr[i + 2] << 16));
    return image;
}

struct Placed {
    int id, x, y, width, height;
};

// Every control bitmap at the place the program draws it (a strip's frame
// width as width).
const std::vector<Placed> kControlBitmaps{{138, 108, 310, 48, 48}, {145, 347, 293, 52, 52}, {162, 48, 186, 28, 30},
                                          {163, 48, 186, 28, 30},  {164, 48, 186, 28, 30},  {168, 45, 146, 28, 30},
                                          {169, 45, 146, 28, 30},  {170, 45, 146, 28, 30},  {172, 41, 106, 28, 30},
                                          {173, 41, 106, 28, 30},  {174, 41, 106, 28, 30},  {165, 416, 199, 24, 22},
                                          {166, 416, 199, 24, 22}, {167, 416, 199, 24, 22}, {176, 409, 245, 24, 24},
                                          {177, 409, 270, 24, 24}, {188, 223, 276, 64, 70}, {180, 31, 48, 40, 40},
                                          {187, 419, 63, 40, 40},  {184, 416, 108, 40, 40}, {183, 412, 152, 40, 40}};

TEST(SkinResources, EveryBitmapHasItsIdAndSize) {
    struct Size {
        int id, width, height;
    };
    std::vector<Size> sizes{{136, 484, 480}, {146, 484, 480}, {144, 312, 42}};
    for (const Placed& p : kControlBitmaps) {
        bool strip = p.id >= 180;
        sizes.push_back({p.id, strip ? p.width * 14 : p.width, p.height});
    }
    for (const Size& s : sizes) {
        BitmapBits bits;
        ASSERT_TRUE(decodeEmbeddedBitmap(s.id, bits)) << s.id;
        EXPECT_EQ(bits.width, s.width) << s.id;
        EXPECT_EQ(bits.height, s.height) << s.id;
        EXPECT_EQ(bits.width % 4, 0) << s.id;  // the Win32 loader reads unpadded rows
    }
    BitmapBits none;
    EXPECT_FALSE(decodeEmbeddedBitmap(137, none));
}

TEST(SkinResources, HitMapRowsStartAndEndOutsideTheShape) {
    Image map = load(146);
    for (int y = 0; y < map.height; ++y) {
        EXPECT_EQ(map.at(0, y), kKey) << "row " << y;
        EXPECT_EQ(map.at(map.width - 1, y), kKey) << "row " << y;
    }
}

// A hit colour or ramp, and the box of the control that owns it.
struct HitArea {
    std::uint32_t low, high;  // inclusive
    int x, y, width, height;
};

const std::vector<HitArea> kHitAreas{{0xFFFF00, 0xFFFF00, 108, 310, 48, 48}, {0xFF0000, 0xFF0000, 347, 293, 52, 52},
                                     {0x0000FC, 0x0000FC, 48, 186, 28, 30},  {0x0000FD, 0x0000FD, 45, 146, 28, 30},
                                     {0x0000FE, 0x0000FE, 41, 106, 28, 30},  {0x0000FF, 0x0000FF, 416, 199, 24, 22},
                                     {0x00FFFF, 0x00FFFF, 409, 245, 24, 24}, {0x00FEFF, 0x00FEFF, 409, 270, 24, 24},
                                     {0xFF000A, 0xFF006E, 223, 276, 64, 70}, {0x00FF00, 0x00FF64, 31, 48, 40, 40},
                                     {0x01FF00, 0x01FF64, 419, 63, 40, 40},  {0x02FF00, 0x02FF64, 416, 108, 40, 40},
                                     {0x03FF00, 0x03FF64, 412, 152, 40, 40}};

TEST(SkinResources, ControlColoursLieOnlyOnTheirControlsAndCoverTheirRamps) {
    Image map = load(146);
    std::vector<std::set<std::uint32_t>> seen(kHitAreas.size());
    for (int y = 0; y < map.height; ++y)
        for (int x = 0; x < map.width; ++x) {
            std::uint32_t c = map.at(x, y);
            for (std::size_t i = 0; i < kHitAreas.size(); ++i) {
                const HitArea& a = kHitAreas[i];
                if (c < a.low || c > a.high) continue;
                seen[i].insert(c);
                EXPECT_TRUE(x >= a.x && x < a.x + a.width && y >= a.y && y < a.y + a.height)
                    << std::hex << c << " at " << std::dec << x << "," << y;
            }
        }
    for (std::size_t i = 0; i < kHitAreas.size(); ++i)
        EXPECT_EQ(seen[i].size(), kHitAreas[i].high - kHitAreas[i].low + 1) << "area " << i;
}

TEST(SkinResources, KnobRampsRunOnPastTheirRangeOnADeadPart) {
    Image map = load(146);
    struct Dead {
        std::uint32_t low, high;
        int x, y, size;
    };
    // Volume knobs go on with blue 0x65 to 0x96, the resolution knob above 0x6E.
    for (Dead d : {Dead{0x00FF65, 0x00FF96, 31, 48, 40}, Dead{0x03FF65, 0x03FF96, 412, 152, 40},
                   Dead{0xFF006F, 0xFF00A0, 223, 276, 64}}) {
        std::set<std::uint32_t> seen;
        for (int y = d.y; y < d.y + d.size; ++y)
            for (int x = d.x; x < d.x + d.size; ++x)
                if (map.at(x, y) >= d.low && map.at(x, y) <= d.high) seen.insert(map.at(x, y));
        EXPECT_EQ(seen.size(), d.high - d.low + 1);
    }
}

// Bitmaps are copied opaquely, so each must meet the background along its
// edge; a misplaced or mis-sized one shows a seam there.
TEST(SkinResources, ControlBitmapsMatchTheBackgroundAlongTheirEdges) {
    Image background = load(136);
    for (const Placed& p : kControlBitmaps) {
        Image bitmap = load(p.id);
        const int frames = bitmap.width / p.width;
        for (int f = 0; f < frames; ++f) {
            int worst = 0;
            for (int y = 0; y < p.height; ++y)
                for (int x = 0; x < p.width; ++x) {
                    if (x != 0 && y != 0 && x != p.width - 1 && y != p.height - 1) continue;
                    std::uint32_t a = bitmap.at(f * p.width + x, y), b = background.at(p.x + x, p.y + y);
                    for (int shift = 0; shift < 24; shift += 8) {
                        int diff =
                            std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
                        worst = diff > worst ? diff : worst;
                    }
                }
            EXPECT_LE(worst, 3) << "bitmap " << p.id << " frame " << f;
        }
    }
}

TEST(SkinResources, FontAtlasIsBlackOutsideItsGlyphCells) {
    Image atlas = load(144);
    // Row 1, column 10 has no glyph; the two columns right of cell 30 belong to
    // no cell; the cell of "=" holds a glyph (a colon).
    auto cellIsBlack = [&](int x0, int y0, int w, int h) {
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x)
                if (atlas.at(x, y) != 0) return false;
        return true;
    };
    EXPECT_TRUE(cellIsBlack(100, 14, 10, 14));
    EXPECT_TRUE(cellIsBlack(310, 0, 2, 42));
    EXPECT_TRUE(cellIsBlack(40, 28, 10, 14));  // row 2 holds only "?" in column 3
    EXPECT_FALSE(cellIsBlack(120, 14, 10, 14));
    EXPECT_FALSE(cellIsBlack(30, 28, 10, 14));
}

}  // namespace
}  // namespace setup

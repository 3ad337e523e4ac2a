// The knobs' frames against the hit map's ramps: frame k must point where the
// ramp carries the positions that show frame k.

#include <gtest/gtest.h>

#include <cmath>

#include "setup/resources/embedded_resources.h"
#include "tools/artgen/layout.h"

namespace setup {
namespace {

struct Decoded {
    BitmapBits bits;
    std::uint32_t at(int x, int y) const {
        const std::size_t i = (static_cast<std::size_t>(y) * bits.width + x) * 3;
        return bits.bgr[i] | (bits.bgr[i + 1] << 8) | (bits.bgr[i + 2] << 16);
    }
    int brightness(int x, int y) const {
        const std::uint32_t p = at(x, y);
        return static_cast<int>((p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF));
    }
};

Decoded load(int id) {
    Decoded d;
    EXPECT_TRUE(decodeEmbeddedBitmap(id, d.bits)) << id;
    return d;
}

TEST(KnobArt, EachFramePointsAtTheRampPositionsThatShowIt) {
    const Decoded map = load(146);
    for (const artgen::KnobSpec& k : artgen::kKnobs) {
        for (int frame = 0; frame < artgen::kKnobFrames; ++frame) {
            const artgen::Vec dir = artgen::directionClockwiseFromDown(artgen::knobFrameAngle(frame));
            const artgen::Vec on = k.centre + dir * (k.hitRadius * 0.8);
            const int position = static_cast<int>(map.at(static_cast<int>(on.x), static_cast<int>(on.y)) - k.colourLow);
            // The frame the program shows for that position.
            const int shown = static_cast<int>(14 * position * static_cast<double>(0.01f));
            EXPECT_EQ(shown, frame) << k.name << " position " << position;
        }
    }
}

TEST(KnobArt, ThePointerOfEachFrameIsLitWhereTheOppositeFrameIsNot) {
    for (const artgen::KnobSpec& k : artgen::kKnobs) {
        const Decoded strip = load(k.stripId);
        for (int frame = 0; frame < artgen::kKnobFrames; ++frame) {
            const int opposite = (frame + artgen::kKnobFrames / 2) % artgen::kKnobFrames;
            const artgen::Vec dir = artgen::directionClockwiseFromDown(artgen::knobFrameAngle(frame));
            const artgen::Vec on =
                k.centre + dir * (k.capRadius * 0.6) - artgen::Vec{double(k.frame.x), double(k.frame.y)};
            const int x = static_cast<int>(on.x), y = static_cast<int>(on.y);
            EXPECT_GT(strip.brightness(frame * k.frame.w + x, y), strip.brightness(opposite * k.frame.w + x, y) + 60)
                << k.name << " frame " << frame;
        }
    }
}

}  // namespace
}  // namespace setup

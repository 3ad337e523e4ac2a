#include "tools/artgen/hit_map.h"

#include <map>

#include "tools/artgen/layout.h"

namespace artgen {
namespace {

// Pixel columns and rows meet some short arcs of a small knob's ramp nowhere;
// each missing value takes the pixel nearest the middle of its arc, half a
// pixel inside the face's rim, from a value that has pixels to spare.
void fillMissingRampValues(IndexedImage& map, const KnobSpec& k) {
    std::map<std::uint32_t, int> count;
    Rect box = k.frame;
    for (int y = box.y; y < box.y + box.h; ++y)
        for (int x = box.x; x < box.x + box.w; ++x) ++count[map.pixels[static_cast<std::size_t>(y) * kSceneWidth + x]];
    for (int v = 0; v < kKnobRampValues; ++v) {
        std::uint32_t colour = k.colourLow + static_cast<std::uint32_t>(v);
        if (count[colour] > 0) continue;
        Vec at = k.centre + directionClockwiseFromDown(knobAngleOfValue(v + 0.5)) * (k.hitRadius - 1.5);
        std::size_t index = static_cast<std::size_t>(at.y) * kSceneWidth + static_cast<std::size_t>(at.x);
        if (count[map.pixels[index]] < 2) continue;
        --count[map.pixels[index]];
        map.pixels[index] = colour;
        ++count[colour];
    }
}

}  // namespace

IndexedImage renderHitMap() {
    constexpr std::uint32_t kWhite = 0xFFFFFF, kPink = 0xFFDDEA;
    IndexedImage map{kSceneWidth, kSceneHeight, std::vector<std::uint32_t>(kSceneWidth * kSceneHeight)};
    for (int y = 0; y < kSceneHeight; ++y) {
        for (int x = 0; x < kSceneWidth; ++x) {
            Vec p{x + 0.5, y + 0.5};
            std::uint32_t colour = !insideConsole(x, y) ? kKeyColour : (screenDistance(p) < 0 ? kPink : kWhite);
            if (colour != kKeyColour) {
                for (const ButtonSpec& b : kButtons) {
                    bool round = b.look == ButtonLook::Power || b.look == ButtonLook::Play;
                    double d = round ? sdCircle(p, b.centre, b.radius + 3) : sdRoundedBox(p, b.centre, {11, 11}, 4);
                    if (d < 0) colour = b.hitColour;
                }
                for (const ToggleSpec& t : kToggles) {
                    double d =
                        t.look == ToggleLook::Lamp ? sdCircle(p, t.centre, 11) : sdRoundedBox(p, t.centre, {11, 8}, 4);
                    if (d < 0) colour = t.hitColour;
                }
                for (const KnobSpec& k : kKnobs)
                    if (sdCircle(p, k.centre, k.hitRadius) < 0)
                        colour = k.colourLow + static_cast<std::uint32_t>(knobRampValue(p - k.centre));
            }
            map.pixels[static_cast<std::size_t>(y) * kSceneWidth + x] = colour;
        }
    }
    for (const KnobSpec& k : kKnobs) fillMissingRampValues(map, k);
    return map;
}

}  // namespace artgen

#include "setup/skin/controls.h"

#include <algorithm>

namespace setup {
namespace {

// 0.01 as the nearest 32-bit float, just below 0.01: products that are whole
// multiples of 100 come out one less than the plain division.
constexpr double kHundredth = static_cast<double>(0.01f);

template <typename Record>
Record* findById(std::forward_list<Record>& list, ControlId id) {
    auto found = std::find_if(list.begin(), list.end(), [id](const Record& r) { return r.id == id; });
    return found == list.end() ? nullptr : &*found;
}

template <typename Record>
const Record* findByColour(const std::forward_list<Record>& list, Pixel colour) {
    auto found = std::find_if(list.begin(), list.end(), [colour](const Record& r) { return r.hitColour == colour; });
    return found == list.end() ? nullptr : &*found;
}

const SkinBitmap* toggleLook(const ToggleButton& toggle) {
    if (toggle.hovered) return toggle.on ? toggle.hoverOnBitmap : toggle.hoverOffBitmap;
    return toggle.on ? toggle.onBitmap : nullptr;
}

}  // namespace

ControlId hitTest(const Controls& controls, const Surface& hitMap, int x, int y) {
    if (x < 0 || y < 0 || x >= hitMap.width || y >= hitMap.height) return ControlId::HitOutside;
    const Pixel c = hitMap.at(x, y);
    if (c == kKeyColour) return ControlId::HitOutside;
    if (const PushButton* button = findByColour(controls.pushButtons, c)) return button->id;
    if (const ToggleButton* toggle = findByColour(controls.toggles, c)) return toggle->id;
    for (const Knob& knob : controls.knobs) {
        if (knob.colourLow <= c && c <= knob.colourHigh) return knob.id;
    }
    return ControlId::HitBackground;
}

PushButton* findPushButton(Controls& controls, ControlId id) { return findById(controls.pushButtons, id); }
ToggleButton* findToggle(Controls& controls, ControlId id) { return findById(controls.toggles, id); }
Knob* findKnob(Controls& controls, ControlId id) { return findById(controls.knobs, id); }

void setKnobFromValue(Knob& knob, int value, int range) {
    if (range == 0) {
        knob.position = 0;
        return;
    }
    // Clamped before the cut, so a setting far out of range cannot overflow.
    knob.position = static_cast<int>(std::clamp(value * 100.0 / range, 0.0, 99.0));
}

void setKnobFromColour(Knob& knob, Pixel colour) { knob.position = static_cast<int>(colour - knob.colourLow); }

int knobValue(const Knob& knob, int range) {
    return static_cast<int>(static_cast<double>(knob.position) * range * kHundredth);
}

void drawControls(Controls& controls, Surface& scene) {
    for (const PushButton& button : controls.pushButtons) {
        if (button.hovered) blitBitmap(scene, button.highlight->image, button.x, button.y);
    }
    for (const ToggleButton& toggle : controls.toggles) {
        if (const SkinBitmap* look = toggleLook(toggle)) blitBitmap(scene, look->image, toggle.x, toggle.y);
    }
    for (Knob& knob : controls.knobs) {
        knob.position = std::clamp(knob.position, 0, 99);
        const int frame = static_cast<int>(static_cast<double>(knob.frameCount) * knob.position * kHundredth);
        blitFrame(scene, knob.strip->image, frame * knob.frameWidth, knob.frameWidth, knob.x, knob.y);
    }
}

void clearHover(Controls& controls) {
    for (PushButton& button : controls.pushButtons) button.hovered = false;
    for (ToggleButton& toggle : controls.toggles) toggle.hovered = false;
    for (Knob& knob : controls.knobs) knob.hovered = false;
}

}  // namespace setup

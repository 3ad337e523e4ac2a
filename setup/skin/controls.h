#pragma once
// The setup window's controls: records drawn into the scene and found under
// the pointer through the colour-coded hit map.

#include <forward_list>
#include <span>

#include "setup/settings/setup_settings.h"
#include "setup/skin/mode_source.h"
#include "setup/skin/skin_bitmap.h"
#include "setup/skin/surface.h"
#include "setup/system/platform.h"

namespace setup {

// Names a control; also the result of hit-testing. 6 and 7 name no control.
enum class ControlId : int {
    HitOutside = 1,
    HitBackground = 2,
    QuitButton = 3,
    LaunchButton = 4,
    SpeakerFlipToggle = 5,
    QualityLowToggle = 8,
    QualityMediumToggle = 9,
    QualityHighToggle = 10,
    AdapterNextButton = 11,
    AdapterPreviousButton = 12,
    ResolutionKnob = 13,
    GeneralVolumeKnob = 14,
    VoiceVolumeKnob = 15,
    SfxVolumeKnob = 16,
    CdVolumeKnob = 17,
};

// Hit-map pixels of this colour lie outside the window's shape.
inline constexpr Pixel kKeyColour = 0xFF00FE;

struct PushButton {
    ControlId id{};
    int x = 0, y = 0;
    Pixel hitColour = 0;
    bool hovered = false;
    const SkinBitmap* highlight = nullptr;  // drawn while hovered
};

struct ToggleButton {
    ControlId id{};
    int x = 0, y = 0;
    Pixel hitColour = 0;
    bool hovered = false;
    bool on = false;
    const SkinBitmap* hoverOffBitmap = nullptr;
    const SkinBitmap* onBitmap = nullptr;
    const SkinBitmap* hoverOnBitmap = nullptr;
};

struct Knob {
    ControlId id{};
    int x = 0, y = 0;
    Pixel colourLow = 0, colourHigh = 0;  // inclusive ramp of the knob's face
    int position = 0;                     // 0..99 once drawn; 100 until then
    int frameWidth = 0;
    int frameCount = 14;
    bool hovered = false;
    const SkinBitmap* strip = nullptr;  // frames side by side, frame 0 leftmost
};

// Three lists, each from the most recently created control to the first.
struct Controls {
    std::forward_list<PushButton> pushButtons;
    std::forward_list<ToggleButton> toggles;
    std::forward_list<Knob> knobs;
};

// What a control stands for beyond its look: the section of the help text
// that its hover shows, the volume a knob turns, the sound quality a toggle
// picks (Low, Medium and High in that order in the table).
struct ControlRole {
    ControlId id;
    const char* helpSection;
    std::int32_t SetupSettings::*volume = nullptr;
    SoundQuality quality{};  // 0: none
};
// The table, one row per control; null for the background and outside.
const ControlRole* roleOf(ControlId id);
// The three quality toggles' rows, Low first.
std::span<const ControlRole> qualityToggles();

// Builds the 13 controls in their fixed order, loading their bitmaps through
// the cache, and sets the toggles and volume knobs from the settings.
void createControls(Controls& controls, BitmapCache& cache, Platform& platform, const SetupSettings& settings);

// The control under client point (x, y) of a hit map.
ControlId hitTest(const Controls& controls, const Surface& hitMap, int x, int y);

// First record with that id in list order, or null.
PushButton* findPushButton(Controls& controls, ControlId id);
ToggleButton* findToggle(Controls& controls, ControlId id);
Knob* findKnob(Controls& controls, ControlId id);

// Knob arithmetic; the products go through double and are cut toward zero.
void setKnobFromValue(Knob& knob, int value, int range);  // position 0..99; range 0 gives 0
void setKnobFromColour(Knob& knob, Pixel colour);         // unclamped: the ramp's top gives 100
int knobValue(const Knob& knob, int range);               // position x range x 0.01f

// Draws push buttons, then toggles, then knobs, each list in list order. A
// knob's position is clamped to 0..99 in its record as it is drawn.
void drawControls(Controls& controls, Surface& scene);

void clearHover(Controls& controls);

// Puts toggles and knobs where the settings say; hovered flags are untouched.
void syncControlsFromSettings(Controls& controls, const SetupSettings& settings, const ModeSource& modes);

}  // namespace setup

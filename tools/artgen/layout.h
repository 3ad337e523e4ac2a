#pragma once
// Where everything sits on the 484 x 480 console: the controls at the places
// the program draws them, their hit colours, and the outline around them.

#include <array>
#include <cstdint>

#include "tools/artgen/canvas.h"
#include "tools/artgen/geometry.h"

namespace artgen {

inline constexpr int kSceneWidth = 484;
inline constexpr int kSceneHeight = 480;
inline constexpr std::uint32_t kKeyColour = 0xFF00FE;

// A knob's face carries 101 live positions, then 50 dead values of the same
// ramp, around its whole circle; the dead arc is centred straight down.
inline constexpr int kKnobLiveValues = 101;
inline constexpr int kKnobRampValues = 151;
inline constexpr int kKnobFrames = 14;
// Straight down meets the ramp a quarter value off the middle of a value, so no
// value's arc lies wholly between the two pixel columns beside the vertical.
inline constexpr double kKnobDownValue = 125.75;

// Ramp value (0..150) of a point on a knob's face, seen from its centre.
inline int knobRampValue(Vec fromCentre) {
    double t = clockwiseFromDown(fromCentre) / kTwoPi * kKnobRampValues + kKnobDownValue;
    int v = static_cast<int>(std::floor(t));
    return v % kKnobRampValues;
}
// Angle, clockwise from down, of the middle of the ramp at continuous value t.
inline double knobAngleOfValue(double t) { return (t - kKnobDownValue) / kKnobRampValues * kTwoPi + kTwoPi; }
// Where frame k points: the middle of positions 100k/14 .. 100(k+1)/14.
inline double knobFrameAngle(int frame) { return knobAngleOfValue(100.0 * (frame + 0.5) / kKnobFrames + 0.5); }

struct KnobSpec {
    int stripId;
    const char* name;  // file name stem
    Rect frame;        // frame 0's place in the scene
    Vec centre;
    double capRadius;
    double ringRadius;  // the ring of 14 lamps
    double lampRadius;
    double hitRadius;
    std::uint32_t colourLow;
    const char* label;
};

inline const std::array<KnobSpec, 5> kKnobs{{
    {188, "knob_resolution", {223, 276, 64, 70}, {255, 310}, 20.0, 27.5, 2.0, 30.5, 0xFF000A, "RESOLUTION"},
    {180, "knob_general", {31, 48, 40, 40}, {51, 68}, 11.5, 16.2, 1.2, 19.9, 0x00FF00, "MASTER"},
    {187, "knob_voice", {419, 63, 40, 40}, {439, 83}, 11.5, 16.2, 1.2, 19.9, 0x01FF00, "VOICE"},
    {184, "knob_sfx", {416, 108, 40, 40}, {436, 128}, 11.5, 16.2, 1.2, 19.9, 0x02FF00, "SFX"},
    {183, "knob_cd", {412, 152, 40, 40}, {432, 172}, 11.5, 16.2, 1.2, 19.9, 0x03FF00, "CD"},
}};

enum class ToggleLook { Lamp, Slide };

struct ToggleSpec {
    const char* name;
    int hoverOffId, onId, hoverOnId;
    Rect box;
    Vec centre;
    std::uint32_t hitColour;
    ToggleLook look;
    const char* label;
};

inline const std::array<ToggleSpec, 4> kToggles{{
    {"quality_low", 163, 162, 164, {48, 186, 28, 30}, {62, 201}, 0x0000FC, ToggleLook::Lamp, "LOW"},
    {"quality_medium", 168, 170, 169, {45, 146, 28, 30}, {59, 161}, 0x0000FD, ToggleLook::Lamp, "MED"},
    {"quality_high", 172, 174, 173, {41, 106, 28, 30}, {55, 121}, 0x0000FE, ToggleLook::Lamp, "HIGH"},
    {"speaker_flip", 165, 167, 166, {416, 199, 24, 22}, {428, 210}, 0x0000FF, ToggleLook::Slide, "FLIP"},
}};

enum class ButtonLook { Power, Play, ArrowUp, ArrowDown };

struct ButtonSpec {
    const char* name;
    int highlightId;
    Rect box;
    Vec centre;
    double radius;  // of the cap; the arrow keys are rounded squares of this half size
    std::uint32_t hitColour;
    ButtonLook look;
};

inline const std::array<ButtonSpec, 4> kButtons{{
    {"quit", 138, {108, 310, 48, 48}, {132, 334}, 15.5, 0xFFFF00, ButtonLook::Power},
    {"launch", 145, {347, 293, 52, 52}, {373, 319}, 17.5, 0xFF0000, ButtonLook::Play},
    {"adapter_next", 176, {409, 245, 24, 24}, {421, 257}, 8.5, 0x00FFFF, ButtonLook::ArrowUp},
    {"adapter_previous", 177, {409, 270, 24, 24}, {421, 282}, 8.5, 0x00FEFF, ButtonLook::ArrowDown},
}};

// The dark glass behind the help text (columns 150 to 326, rows 100 to 254)
// and the particles born on column 350.
inline constexpr Vec kScreenCentre{241, 177};
inline constexpr Vec kScreenHalf{116, 89};
inline constexpr double kScreenRadius = 14;
inline double screenDistance(Vec p) { return sdRoundedBox(p, kScreenCentre, kScreenHalf, kScreenRadius); }

// The speaker grille on the console's foot.
inline constexpr Vec kGrilleCentre{255, 400};
inline constexpr Vec kGrilleHalf{72, 20};

// The console's outline: a top deck, the screen's body, two arms carrying the
// columns of controls and a bottom deck with the big buttons and a foot
// with the speaker grille, blended into one cast shape.
inline double consoleDistance(Vec p) {
    double top = sdRoundedBox(p, {243, 70}, {226, 44}, 34);
    double body = sdRoundedBox(p, {253, 180}, {138, 118}, 30);
    double leftArm = sdCapsule(p, {66, 90}, {70, 222}, 40);
    double rightArm = sdCapsule(p, {438, 84}, {424, 282}, 36);
    double bottom = sdRoundedBox(p, {255, 322}, {150, 52}, 44);
    double quitPod = sdCircle(p, {132, 334}, 33);
    double launchPod = sdCircle(p, {373, 319}, 35);
    double foot = sdRoundedBox(p, kGrilleCentre, {94, 38}, 28);
    double d = smoothUnion(top, body, 18);
    d = smoothUnion(d, leftArm, 22);
    d = smoothUnion(d, rightArm, 22);
    d = smoothUnion(d, bottom, 20);
    d = smoothUnion(d, quitPod, 16);
    d = smoothUnion(d, launchPod, 16);
    return smoothUnion(d, foot, 24);
}

// A pixel belongs to the window when its centre lies inside the outline.
inline bool insideConsole(int x, int y) { return consoleDistance({x + 0.5, y + 0.5}) < 0; }

}  // namespace artgen

#pragma once
// A small skin of known geometry for session tests: every control's hit area
// sits at a known place of the hit map, whatever the shipped artwork looks like.

#include <string>

#include "setup/platform/headless/headless_platform.h"

namespace setup::test {

// The row of a knob's ramp: column kRampLeft + p carries position p (0..100),
// the next kRampOverflow columns continue the ramp past the knob's range.
inline constexpr int kRampLeft = 10;
inline constexpr int kRampOverflow = 10;

// Knob ramps by row.
inline constexpr int kResolutionRow = 40;
inline constexpr int kGeneralRow = 50;
inline constexpr int kVoiceRow = 60;
inline constexpr int kSfxRow = 70;
inline constexpr int kCdRow = 80;

// A 10 x 10 square per push button and toggle, on row 10 from x = 10, 30, 50 ...
struct Square {
    int x = 0, y = 0;
};
inline constexpr Square kQuitSquare{10, 10};
inline constexpr Square kLaunchSquare{30, 10};
inline constexpr Square kLowSquare{50, 10};
inline constexpr Square kMediumSquare{70, 10};
inline constexpr Square kHighSquare{90, 10};
inline constexpr Square kSpeakerSquare{110, 10};
inline constexpr Square kNextSquare{130, 10};
inline constexpr Square kPreviousSquare{150, 10};

// A square of plain background, and a point outside the shape.
inline constexpr Square kBackground{300, 300};
inline constexpr Square kOutside{0, 200};  // a point, not a square

// The help texts: every section with one line, from the shipped resource.
std::string sessionHelpText();

class SessionSkinPlatform : public HeadlessPlatform {
public:
    bool loadBitmap(int id, BitmapBits& out) override;
    bool loadText(int id, std::string& out) override;
};

}  // namespace setup::test

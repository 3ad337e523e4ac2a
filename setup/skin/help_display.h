#pragma once
// The help text area: 11 lines of 17 characters drawn from the font atlas,
// each character fading in and out at its own speed.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "setup/skin/help_texts.h"
#include "setup/skin/surface.h"

namespace setup {

// Metrics of the area on the skin's screen.
inline constexpr int kHelpAreaWidth = 176;
inline constexpr int kHelpAreaHeight = 160;
inline constexpr int kGlyphWidth = 10;
inline constexpr int kGlyphHeight = 14;
inline constexpr int kHelpColumns = kHelpAreaWidth / kGlyphWidth;  // 17
inline constexpr int kHelpLines = kHelpAreaHeight / kGlyphHeight;  // 11
inline constexpr int kHelpLeft = 150 + kGlyphWidth / 2;            // left edge of column 0
inline constexpr int kHelpTop = 100;                               // top edge of line 0

struct HelpLine {
    std::string text;                         // at most kHelpColumns characters
    std::array<float, kHelpColumns> alpha{};  // brightness of each character
    std::array<float, kHelpColumns> step{};   // per-tick change of each alpha
    bool fadingIn = false;
    bool fadingOut = false;
    int capacity = kHelpColumns;
};

struct HelpArea {
    std::array<HelpLine, kHelpLines> lines;
};

// Row and column of a character's cell in the font atlas.
struct GlyphCell {
    int row = 0;
    int column = 0;
};
// Nothing for characters without a glyph; they still take their column.
std::optional<GlyphCell> glyphCell(char c);

// Centres text on `line` (clamped to 0..10), wrapping at spaces onto the
// following lines, and starts its fade-in; alpha != 0 shows it at that
// brightness at once. Gives the line after the last one written.
int layoutHelpText(HelpArea& area, std::string_view text, int line, float alpha);

// Lays out every line of the named section from its start line; gives the line
// after its text (the start line for an absent section).
int showHelpSection(HelpArea& area, const HelpTexts& texts, std::string_view section, float alpha);

void fadeOutAllLines(HelpArea& area);

// Advances the fades; idle lines shimmer with the process clock.
void tickHelpLines(HelpArea& area, std::uint32_t processMilliseconds);

// Adds the glyphs of every line to the scene.
void drawHelpText(const HelpArea& area, const Surface& font, Surface& scene);

}  // namespace setup

#pragma once
// The console's lettering: chamfered stroke glyphs on an 8 x 12 grid, drawn at
// any size as distance fields (for engraving, for lit glyphs and their glow).

#include <string_view>
#include <vector>

#include "tools/artgen/canvas.h"
#include "tools/artgen/geometry.h"

namespace artgen {

inline constexpr double kGlyphGridWidth = 8;
inline constexpr double kGlyphGridHeight = 12;

struct Stroke {
    Vec a, b;  // grid units, y down
};

// The strokes of a character (lower case as capitals); empty for a space or a
// character the console never writes.
const std::vector<Stroke>& glyphStrokes(char c);

// Text placed in the scene: top-left corner of the first glyph, pixels per grid
// unit, and the advance from one glyph to the next in pixels.
struct TextPlacement {
    Vec origin;
    double scale;
    double advance;
};

// Width in pixels of text set with this scale and advance.
double textWidth(std::string_view text, double scale, double advance);

// Distance in pixels from p to the nearest stroke's centre line.
double textDistance(std::string_view text, const TextPlacement& at, Vec p);

// The box around the text grown by `margin` pixels, for painting.
Rect textBounds(std::string_view text, const TextPlacement& at, double margin);

}  // namespace artgen

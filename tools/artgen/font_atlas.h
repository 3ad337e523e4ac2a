#pragma once
// The glowing glyphs the help text is drawn with.

#include "tools/artgen/canvas.h"

namespace artgen {

inline constexpr int kAtlasWidth = 312;
inline constexpr int kAtlasHeight = 42;
inline constexpr int kCellWidth = 10;
inline constexpr int kCellHeight = 14;

// Three rows of 10 x 14 cells, black wherever no glyph is.
Canvas renderFontAtlas();

}  // namespace artgen

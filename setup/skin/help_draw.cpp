// Drawing the help lines with the font atlas.

#include "setup/skin/help_display.h"

namespace setup {

std::optional<GlyphCell> glyphCell(char c) {
    if (c >= 'A' && c <= 'Z') return GlyphCell{0, c - 'A'};
    if (c >= 'a' && c <= 'z') return GlyphCell{0, c - 'a'};
    if (c >= '0' && c <= '9') return GlyphCell{1, c - '0'};
    switch (c) {
        case '"': return GlyphCell{0, 26};
        case '_': return GlyphCell{1, 11};
        case '=': return GlyphCell{1, 12};  // the atlas draws a colon here
        case '(': return GlyphCell{1, 13};
        case ')': return GlyphCell{1, 14};
        case '\'': return GlyphCell{1, 16};
        case '!': return GlyphCell{1, 17};
        case '+': return GlyphCell{1, 19};
        case '\\': return GlyphCell{1, 20};
        case '/': return GlyphCell{1, 21};
        case '[': return GlyphCell{1, 22};
        case ']': return GlyphCell{1, 23};
        case '?': return GlyphCell{2, 3};
        default: return std::nullopt;
    }
}

namespace {

Pixel scaled(Pixel colour, unsigned k) {
    return (((colour >> 16 & 0xFFu) * k) >> 8) << 16 | (((colour >> 8 & 0xFFu) * k) >> 8) << 8 |
           ((colour & 0xFFu) * k) >> 8;
}

void drawGlyph(const Surface& font, GlyphCell cell, float alpha, Surface& scene, int x, int y) {
    const int fontX = cell.column * kGlyphWidth;
    const int fontY = cell.row * kGlyphHeight;
    // At full brightness every pixel is added, black ones too (which clears the
    // lowest green and red bits beneath them).
    const bool full = alpha == 1.0f;
    const unsigned k = static_cast<unsigned>(static_cast<int>(alpha * 256.0f)) % 256u;
    for (int row = 0; row < kGlyphHeight; ++row) {
        const Pixel* glyph = &font.pixels[static_cast<std::size_t>(fontY + row) * font.width + fontX];
        Pixel* target = &scene.at(x, y + row);
        for (int column = 0; column < kGlyphWidth; ++column) {
            if (full) {
                target[column] = saturatingAdd(target[column], glyph[column]);
            } else if (glyph[column] != 0) {
                target[column] = saturatingAdd(target[column], scaled(glyph[column], k));
            }
        }
    }
}

}  // namespace

void drawHelpText(const HelpArea& area, const Surface& font, Surface& scene) {
    for (int i = 0; i < kHelpLines; ++i) {
        const HelpLine& line = area.lines[i];
        for (std::size_t j = 0; j < line.text.size(); ++j) {
            if (const auto cell = glyphCell(line.text[j])) {
                drawGlyph(font, *cell, line.alpha[j], scene, kHelpLeft + kGlyphWidth * static_cast<int>(j),
                          kHelpTop + kGlyphHeight * i);
            }
        }
    }
}

}  // namespace setup

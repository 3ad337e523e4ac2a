#include "tools/artgen/font_atlas.h"

#include <string>

#include "tools/artgen/geometry.h"
#include "tools/artgen/stroke_font.h"

namespace artgen {
namespace {

struct Cell {
    char glyph;  // what is drawn
    int row, column;
};

// The cells the help display looks characters up in; the cell of "=" shows a
// colon, the texts write "=" where a colon belongs.
std::vector<Cell> cells() {
    std::vector<Cell> out;
    for (int i = 0; i < 26; ++i) out.push_back({static_cast<char>('A' + i), 0, i});
    out.push_back({'"', 0, 26});
    for (int i = 0; i < 10; ++i) out.push_back({static_cast<char>('0' + i), 1, i});
    const std::string symbols = "_:()'!+\\/[]";
    const int columns[] = {11, 12, 13, 14, 16, 17, 19, 20, 21, 22, 23};
    for (std::size_t i = 0; i < symbols.size(); ++i) out.push_back({symbols[i], 1, columns[i]});
    out.push_back({'?', 2, 3});
    return out;
}

}  // namespace

Canvas renderFontAtlas() {
    Canvas atlas(kAtlasWidth, kAtlasHeight);
    const Colour core{0.78, 1.00, 0.97};
    const Colour halo{0.04, 0.42, 0.48};
    constexpr double scale = 0.86;
    for (const Cell& cell : cells()) {
        std::string text(1, cell.glyph);
        TextPlacement at{{cell.column * kCellWidth + 1.6, cell.row * kCellHeight + 1.7}, scale, 0};
        atlas.paint({cell.column * kCellWidth, cell.row * kCellHeight, kCellWidth, kCellHeight},
                    [&](double x, double y, Colour& px) {
                        double d = textDistance(text, at, {x, y});
                        px = core * coverage(d - 0.62) + halo * detExp(-d * d / 1.8);
                    });
    }
    return atlas;
}

}  // namespace artgen

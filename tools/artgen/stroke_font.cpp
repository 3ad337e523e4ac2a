#include "tools/artgen/stroke_font.h"

#include <cmath>
#include <map>

namespace artgen {
namespace {

// Polylines written as two-character points (column 0-8, row 0-9 or a-c for
// rows 10-12), separated by spaces; '|' starts a new polyline.
struct GlyphSource {
    char c;
    const char* path;
};

constexpr GlyphSource kSources[] = {
    {'A', "0c 02 20 60 82 8c|06 86"},
    {'B', "0c 00 60 82 84 66 06|66 88 8a 6c 0c"},
    {'C', "82 60 20 02 0a 2c 6c 8a"},
    {'D', "0c 00 50 82 8a 5c 0c"},
    {'E', "80 00 0c 8c|06 66"},
    {'F', "80 00 0c|06 66"},
    {'G', "82 60 20 02 0a 2c 6c 8a 86 46"},
    {'H', "00 0c|80 8c|06 86"},
    {'I', "20 60|40 4c|2c 6c"},
    {'J', "80 8a 6c 2c 0a"},
    {'K', "00 0c|06 26 80|26 8c"},
    {'L', "00 0c 8c"},
    {'M', "0c 00 46 80 8c"},
    {'N', "0c 00 8c 80"},
    {'O', "20 60 82 8a 6c 2c 0a 02 20"},
    {'P', "0c 00 60 82 84 66 06"},
    {'Q', "20 60 82 8a 6c 2c 0a 02 20|59 8c"},
    {'R', "0c 00 60 82 84 66 06|46 8c"},
    {'S', "82 60 20 02 04 26 66 88 8a 6c 2c 0a"},
    {'T', "00 80|40 4c"},
    {'U', "00 0a 2c 6c 8a 80"},
    {'V', "00 07 4c 87 80"},
    {'W', "00 0c 47 8c 80"},
    {'X', "00 8c|80 0c"},
    {'Y', "00 46 80|46 4c"},
    {'Z', "00 80 0c 8c"},
    {'"', "20 23|60 63"},
    {'0', "20 60 82 8a 6c 2c 0a 02 20|72 1a"},
    {'1', "22 40 4c|2c 6c"},
    {'2', "02 20 60 82 84 0c 8c"},
    {'3', "02 20 60 82 84 66 36|66 88 8a 6c 2c 0a"},
    {'4', "60 08 88|60 6c"},
    {'5', "80 00 05 65 87 8a 6c 0c"},
    {'6', "70 20 02 0a 2c 6c 8a 88 66 06"},
    {'7', "00 80 83 3c"},
    {'8', "20 60 82 84 66 26 04 02 20|26 08 0a 2c 6c 8a 88 66"},
    {'9', "86 26 04 02 20 60 82 8a 6c 0c"},
    {'_', "0c 8c"},
    {':', "44 44|4a 4a"},
    {'(', "50 32 3a 5c"},
    {')', "30 52 5a 3c"},
    {'\'', "40 43"},
    {'!', "40 47|4b 4b"},
    {'+', "43 49|16 76"},
    {'\\', "00 8c"},
    {'/', "80 0c"},
    {'[', "60 20 2c 6c"},
    {']', "20 60 6c 2c"},
    {'?', "02 20 60 82 84 46 48|4b 4b"},
    {'-', "16 76"},
    {'.', "4b 4b"},
};

int gridValue(char d) { return d >= 'a' ? 10 + (d - 'a') : d - '0'; }

std::vector<Stroke> parse(const char* path) {
    std::vector<Stroke> strokes;
    bool havePrevious = false;
    Vec previous;
    for (const char* s = path; *s;) {
        if (*s == '|') {
            havePrevious = false;
            ++s;
            continue;
        }
        if (*s == ' ') {
            ++s;
            continue;
        }
        Vec point{static_cast<double>(gridValue(s[0])), static_cast<double>(gridValue(s[1]))};
        s += 2;
        // A polyline of one point is a dot.
        bool single = (*s == '|' || *s == '\0') && !havePrevious;
        if (havePrevious) strokes.push_back({previous, point});
        if (single) strokes.push_back({point, point});
        previous = point;
        havePrevious = true;
    }
    return strokes;
}

const std::map<char, std::vector<Stroke>>& table() {
    static const std::map<char, std::vector<Stroke>> glyphs = [] {
        std::map<char, std::vector<Stroke>> m;
        for (const GlyphSource& g : kSources) m[g.c] = parse(g.path);
        return m;
    }();
    return glyphs;
}

}  // namespace

const std::vector<Stroke>& glyphStrokes(char c) {
    static const std::vector<Stroke> none;
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    auto it = table().find(c);
    return it == table().end() ? none : it->second;
}

double textWidth(std::string_view text, double scale, double advance) {
    return text.empty() ? 0 : advance * static_cast<double>(text.size() - 1) + kGlyphGridWidth * scale;
}

double textDistance(std::string_view text, const TextPlacement& at, Vec p) {
    double best = 1e9;
    for (std::size_t i = 0; i < text.size(); ++i) {
        Vec origin{at.origin.x + at.advance * static_cast<double>(i), at.origin.y};
        // Strokes are in grid units; measure in pixels.
        for (const Stroke& s : glyphStrokes(text[i])) {
            double d = distanceToSegment(p, origin + s.a * at.scale, origin + s.b * at.scale);
            if (d < best) best = d;
        }
    }
    return best;
}

Rect textBounds(std::string_view text, const TextPlacement& at, double margin) {
    int x0 = static_cast<int>(std::floor(at.origin.x - margin));
    int y0 = static_cast<int>(std::floor(at.origin.y - margin));
    int x1 = static_cast<int>(std::ceil(at.origin.x + textWidth(text, at.scale, at.advance) + margin));
    int y1 = static_cast<int>(std::ceil(at.origin.y + kGlyphGridHeight * at.scale + margin));
    return {x0, y0, x1 - x0, y1 - y0};
}

}  // namespace artgen

#include "tools/artgen/console.h"

#include <string_view>

#include "tools/artgen/layout.h"
#include "tools/artgen/lighting.h"
#include "tools/artgen/noise.h"
#include "tools/artgen/stroke_font.h"

namespace artgen {
namespace {

constexpr double kBevelWidth = 11;
constexpr double kBevelHeight = 9;
constexpr double kPanelLineInset = 16;

// How far p lies inside a well (a recess a control sits in): 1 on its floor,
// 0 outside, with a sloped wall; and the height of the relief it cuts.
struct Well {
    double floor;   // 0..1
    double height;  // added to the relief
};

Well wellAt(double d, double depth) {
    // d: distance to the well's rim. A thin raised lip, then the slope down.
    double floor = smoothstep(1.2, -1.2, d);
    return {floor, -depth * floor + 0.9 * bump(d - 1.6, 1.6)};
}

// Every recess of the console, combined.
Well wells(Vec p) {
    Well total{0, 0};
    auto take = [&](double d, double depth) {
        if (d > 4) return;
        Well w = wellAt(d, depth);
        total.height += w.height;
        if (w.floor > total.floor) total.floor = w.floor;
    };
    for (const KnobSpec& k : kKnobs) take(sdCircle(p, k.centre, k.ringRadius + k.lampRadius + 2.5), 3.0);
    for (const ToggleSpec& t : kToggles) {
        if (t.look == ToggleLook::Lamp)
            take(sdCircle(p, t.centre, 11.5), 2.5);
        else
            take(sdRoundedBox(p, t.centre, {10.5, 6.5}, 5), 2.5);
    }
    for (const ButtonSpec& b : kButtons) {
        if (b.look == ButtonLook::Power || b.look == ButtonLook::Play)
            take(sdCircle(p, b.centre, b.radius + 4.5), 3.0);
        else
            take(sdRoundedBox(p, b.centre, {b.radius + 2, b.radius + 2}, 4), 2.0);
    }
    return total;
}

// Height of the cast body: bevelled edge, a panel line following the outline,
// and a raised bezel around the glass.
double bodyHeight(Vec p) {
    double d = consoleDistance(p);
    double t = clamp01(-d / kBevelWidth);
    double h = kBevelHeight * (1.0 - (1.0 - t) * (1.0 - t));
    h -= 1.3 * bump(d + kPanelLineInset, 1.5);
    double g = screenDistance(p);
    h += 3.0 * bump(g - 4.0, 4.0);
    return h;
}

// Distance to the nearest hole of the speaker grille, holes in staggered rows.
double grilleHoleDistance(Vec p) {
    constexpr double pitch = 6.0, rowPitch = 5.2, radius = 1.5;
    if (sdRoundedBox(p, kGrilleCentre, kGrilleHalf, 10) > 0) return 1e9;
    double row = std::floor((p.y - kGrilleCentre.y) / rowPitch + 0.5);
    double shift = std::fmod(std::fabs(row), 2.0) * pitch / 2;
    double column = std::floor((p.x - kGrilleCentre.x - shift) / pitch + 0.5);
    Vec hole{kGrilleCentre.x + shift + column * pitch, kGrilleCentre.y + row * rowPitch};
    if (sdRoundedBox(hole, kGrilleCentre, kGrilleHalf, 10) > -1.5) return 1e9;
    return length(p - hole) - radius;
}

double reliefHeight(Vec p) {
    return bodyHeight(p) + wells(p).height - 1.5 * smoothstep(0.8, -0.8, grilleHoleDistance(p));
}

Colour metalColour(Vec p) {
    // Dark blue-grey gunmetal, lighter towards the top, brushed across.
    double vertical = mix(1.18, 0.82, p.y / kSceneHeight);
    Colour base = rgb(0x2c313b) * (vertical * (1.0 + 0.16 * brushed(p.x, p.y)));
    return base;
}

Colour glassColour(Vec p) {
    // Deep blue-black, a faint matrix of the text cells, a sheen across the top
    // left and shade towards the rim.
    Vec q = p - kScreenCentre;
    double radial = 1.0 - clamp01(length({q.x / kScreenHalf.x, q.y / kScreenHalf.y}));
    Colour c = Colour{0.010, 0.014, 0.028} + Colour{0.012, 0.030, 0.055} * radial;
    double cellX = std::fmod(p.x - 150.0 + 100.0, 10.0), cellY = std::fmod(p.y - 100.0 + 140.0, 14.0);
    if (cellX < 1.0 || cellY < 1.0) c = c + Colour{0.006, 0.012, 0.018};
    double sheen = smoothstep(40, 0, std::fabs((p.x - 140) + (p.y - 90) * 1.6 - 70)) * smoothstep(200, 90, p.y);
    c = c + Colour{0.030, 0.040, 0.055} * sheen;
    double rim = smoothstep(-9, 0, screenDistance(p));
    return c * (1.0 - 0.6 * rim);
}

// Paint-filled engraving: a shadow on the upper-left wall, then the paint.
void engrave(Canvas& canvas, std::string_view text, TextPlacement at, Colour paint, double halfWidth) {
    canvas.paint(textBounds(text, at, 3), [&](double x, double y, Colour& px) {
        double shadow = coverage(textDistance(text, at, {x + 0.7, y + 0.7}) - halfWidth);
        px = mixColour(px, px * 0.35, shadow);
        double fill = coverage(textDistance(text, at, {x, y}) - halfWidth);
        px = mixColour(px, paint, fill * 0.9);
    });
}

constexpr double kLabelScale = 0.62;
constexpr double kLabelAdvance = 6.6;
const Colour kLabelPaint = rgb(0xA9B4C2);
constexpr double kLabelHalfHeight = kGlyphGridHeight * kLabelScale / 2;

void labelLeftOf(Canvas& c, std::string_view text, double rightEdge, double centreY) {
    double w = textWidth(text, kLabelScale, kLabelAdvance);
    engrave(c, text, {{rightEdge - w, centreY - kLabelHalfHeight}, kLabelScale, kLabelAdvance}, kLabelPaint, 0.55);
}
void labelRightOf(Canvas& c, std::string_view text, double leftEdge, double centreY) {
    engrave(c, text, {{leftEdge, centreY - kLabelHalfHeight}, kLabelScale, kLabelAdvance}, kLabelPaint, 0.55);
}
void labelCentred(Canvas& c, std::string_view text, double centreX, double top) {
    double w = textWidth(text, kLabelScale, kLabelAdvance);
    engrave(c, text, {{centreX - w / 2, top}, kLabelScale, kLabelAdvance}, kLabelPaint, 0.55);
}

void drawLabels(Canvas& c) {
    const KnobSpec& resolution = kKnobs[0];
    labelCentred(c, resolution.label, resolution.centre.x, 349);
    labelRightOf(c, kKnobs[1].label, 78, kKnobs[1].centre.y);
    for (int i = 2; i < 5; ++i) labelLeftOf(c, kKnobs[i].label, kKnobs[i].frame.x - 7, kKnobs[i].centre.y);
    for (const ToggleSpec& t : kToggles) {
        if (t.look == ToggleLook::Lamp)
            labelRightOf(c, t.label, t.centre.x + 15, t.centre.y);
        else
            labelLeftOf(c, t.label, t.box.x - 5, t.centre.y);
    }
    labelLeftOf(c, "VIDEO", kButtons[2].box.x - 6, 270);
    labelRightOf(c, "QUIT", kButtons[0].centre.x + kButtons[0].radius + 9, kButtons[0].centre.y);
    labelLeftOf(c, "LAUNCH", kButtons[1].centre.x - kButtons[1].radius - 9, kButtons[1].centre.y);
    labelCentred(c, "SOUND", 68, 222);

    // The name on the top deck, with a faint light in its engraving.
    constexpr double scale = 1.45, advance = 16.5;
    std::string_view name = "ORVANE";
    TextPlacement at{{kScreenCentre.x - textWidth(name, scale, advance) / 2, 33}, scale, advance};
    engrave(c, name, at, rgb(0x4fd6d0), 1.0);
    c.paint(textBounds(name, at, 6), [&](double x, double y, Colour& px) {
        double d = textDistance(name, at, {x, y});
        px = px + Colour{0.05, 0.30, 0.30} * (0.35 * detExp(-d * d / 6.0));
    });
    labelCentred(c, "S E T U P", kScreenCentre.x, 59);
}

// A cross-slotted screw head.
void drawScrew(Canvas& c, Vec centre) {
    c.paint({static_cast<int>(centre.x) - 6, static_cast<int>(centre.y) - 6, 13, 13},
            [&](double x, double y, Colour& px) {
                Vec p{x, y};
                double d = sdCircle(p, centre, 3.6);
                auto height = [&](Vec q) {
                    double r = length(q - centre);
                    double dome = r < 3.6 ? 1.6 * std::sqrt(1.0 - (r / 3.6) * (r / 3.6)) : 0;
                    double slot = coverage(std::fabs(q.x - centre.x + q.y - centre.y) * 0.7071 - 0.5) +
                                  coverage(std::fabs(q.x - centre.x - q.y + centre.y) * 0.7071 - 0.5);
                    return dome - 0.9 * clamp01(slot) * (r < 2.9 ? 1 : 0);
                };
                Colour head = shade(rgb(0x6b727d), reliefNormal(height, p), 1.4);
                double ring = bump(d - 0.6, 1.4);
                px = mixColour(px, px * 0.4, ring * 0.7);
                px = mixColour(px, head, coverage(d));
            });
}

}  // namespace

Canvas renderConsole() {
    Canvas c(kSceneWidth, kSceneHeight);
    c.paint({0, 0, kSceneWidth, kSceneHeight}, [&](double x, double y, Colour& px) {
        Vec p{x, y};
        double d = consoleDistance(p);
        if (d >= 0.5) return;
        Surface3 n = reliefNormal(reliefHeight, p);
        Well w = wells(p);
        Colour metal = mixColour(metalColour(p), rgb(0x16191f), w.floor * 0.85);
        Colour col = shade(metal, n);
        col = mixColour(col, Colour{0.01, 0.012, 0.016}, coverage(grilleHoleDistance(p) + 0.4));
        double glass = coverage(screenDistance(p));
        if (glass > 0) col = mixColour(col, glassColour(p), glass);
        // A dark edge where the cast ends keeps the cut-out outline crisp.
        col = col * (1.0 - 0.55 * smoothstep(-2.5, 0.0, d));
        px = col;
    });
    drawLabels(c);
    for (Vec screw : {Vec{118, 44}, Vec{364, 44}, Vec{170, 400}, Vec{340, 400}}) drawScrew(c, screw);
    return c;
}

}  // namespace artgen

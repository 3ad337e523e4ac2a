#include "tools/artgen/controls_art.h"

#include <vector>

#include "tools/artgen/lighting.h"
#include "tools/artgen/noise.h"

namespace artgen {
namespace {

const Colour kLampTeal{0.30, 0.98, 0.90};
const Colour kLampCore{0.80, 1.00, 0.97};
const Colour kQuitRed{1.00, 0.30, 0.22};
const Colour kLaunchAmber{1.00, 0.68, 0.22};

Rect around(Vec centre, double radius) {
    int r = static_cast<int>(radius) + 2;
    return {static_cast<int>(centre.x) - r, static_cast<int>(centre.y) - r, 2 * r + 1, 2 * r + 1};
}

// Paints only inside `clip`: a control's bitmap must stay within its box.
template <class F>
void paintClipped(Canvas& c, Rect area, Rect clip, F f) {
    int x0 = area.x > clip.x ? area.x : clip.x, y0 = area.y > clip.y ? area.y : clip.y;
    int x1 = area.x + area.w < clip.x + clip.w ? area.x + area.w : clip.x + clip.w;
    int y1 = area.y + area.h < clip.y + clip.h ? area.y + area.h : clip.y + clip.h;
    if (x1 > x0 && y1 > y0) c.paint({x0, y0, x1 - x0, y1 - y0}, f);
}

// A glow that is exactly 0 from `reach` pixels on, so it never meets the edge
// of a bitmap's box.
double glow(double distance, double reach) {
    double t = clamp01(1.0 - distance / reach);
    return t * t;
}

// Signed distance to a triangle (negative inside).
double sdTriangle(Vec p, Vec a, Vec b, Vec c) {
    double d = distanceToSegment(p, a, b);
    double e = distanceToSegment(p, b, c);
    double f = distanceToSegment(p, c, a);
    double m = d < e ? d : e;
    m = m < f ? m : f;
    auto side = [](Vec p0, Vec p1, Vec q) { return (p1.x - p0.x) * (q.y - p0.y) - (p1.y - p0.y) * (q.x - p0.x); };
    double s1 = side(a, b, p), s2 = side(b, c, p), s3 = side(c, a, p);
    bool inside = (s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0);
    return inside ? -m : m;
}

// The cap of a knob: machined aluminium with a knurled skirt whose ridges turn
// with it, a fixed sheen from the light, and an inlaid pointer.
void drawKnobCap(Canvas& c, const KnobSpec& k, double angle, Rect clip) {
    const double R = k.capRadius;
    const int ridges = R > 15 ? 40 : 24;
    auto height = [&](Vec q) {
        Vec v = q - k.centre;
        double r = length(v);
        double t = clamp01((R - r) / 3.0);
        double h = 5.0 * (1.0 - (1.0 - t) * (1.0 - t)) + 0.8 * (1.0 - (r / R) * (r / R));
        double a = clockwiseFromDown(v) - angle;
        h += 0.45 * detCos(ridges * a) * bump(r - (R - 1.6), 1.8);
        return h;
    };
    Vec pointerTip = k.centre + directionClockwiseFromDown(angle) * (R * 0.82);
    Vec pointerBase = k.centre + directionClockwiseFromDown(angle) * (R * 0.30);
    paintClipped(c, around(k.centre, R + 6), clip, [&](double x, double y, Colour& px) {
        Vec p{x, y};
        Vec v = p - k.centre;
        double r = length(v);
        // Soft shadow cast down and to the right.
        double shadow = smoothstep(4.5, -1.5, length(p - k.centre - Vec{1.6, 2.6}) - R);
        px = px * (1.0 - 0.55 * shadow);
        double cover = coverage(r - R);
        if (cover <= 0) return;
        double theta = clockwiseFromDown(v);
        double sheen = detCos(2.0 * (theta - 2.2));
        double rings = valueNoise(r * 2.5, 0.5, 5) - 0.5;
        double tone = 0.50 + 0.16 * sheen * sheen * sheen + 0.06 * rings;
        Colour metal = Colour{0.84, 0.88, 0.93} * tone;
        Colour col = shade(metal, reliefNormal(height, p), 1.6);
        // The pointer: a groove filled with light.
        double dp = distanceToSegment(p, pointerBase, pointerTip);
        col = mixColour(col, col * 0.3, coverage(dp - 1.6));
        col = mixColour(col, kLampCore, coverage(dp - 0.8));
        px = mixColour(px, col, cover);
    });
}

}  // namespace

void drawKnob(Canvas& c, const KnobSpec& k, int frame) {
    Rect clip = k.frame;
    // Lamp sockets, lit up to this frame.
    for (int j = 0; j < kKnobFrames; ++j) {
        Vec at = k.centre + directionClockwiseFromDown(knobFrameAngle(j)) * k.ringRadius;
        bool lit = j <= frame;
        paintClipped(c, around(at, k.lampRadius + 4), clip, [&](double x, double y, Colour& px) {
            double d = length(Vec{x, y} - at);
            double socket = coverage(d - k.lampRadius - 0.45);
            px = mixColour(px, px * 0.25, socket);
            double lamp = coverage(d - k.lampRadius);
            if (lit) {
                px = mixColour(px, mixColour(kLampTeal, kLampCore, clamp01(1.0 - d / k.lampRadius)), lamp);
                px = px + kLampTeal * (0.35 * glow(d, k.lampRadius + 2.4));
            } else {
                px = mixColour(px, Colour{0.05, 0.09, 0.10}, lamp * 0.9);
            }
        });
    }
    drawKnobCap(c, k, knobFrameAngle(frame), clip);
}

void drawToggle(Canvas& c, const ToggleSpec& t, bool hovered, bool on) {
    if (t.look == ToggleLook::Lamp) {
        const double dome = 7.5, bezel = 10.0;
        auto height = [&](Vec q) {
            double r = length(q - t.centre);
            double h = r < dome ? 2.0 * std::sqrt(1.0 - (r / dome) * (r / dome)) : 0.0;
            return h + 1.4 * bump(r - (dome + bezel) / 2, (bezel - dome) / 2 + 0.8);
        };
        c.paint(t.box, [&](double x, double y, Colour& px) {
            Vec p{x, y};
            double r = length(p - t.centre);
            Surface3 n = reliefNormal(height, p);
            double ring = coverage(r - bezel) * (1.0 - coverage(r - dome));
            px = mixColour(px, shade(rgb(0x7d8591), n, 1.3), ring);
            Colour glass = on ? mixColour(kLampTeal * 0.75, kLampCore, clamp01(1.0 - r / dome) * 1.3)
                              : shade(Colour{0.05, 0.09, 0.10}, n, 2.0);
            px = mixColour(px, glass, coverage(r - dome));
            if (on) px = px + kLampTeal * (0.32 * glow(r - dome, 6.0));
            if (hovered)
                px = px + Colour{0.45, 0.85, 0.95} * (0.55 * bump(r - bezel + 0.8, 2.2) + 0.12 * glow(r - bezel, 4.0));
        });
        return;
    }
    // The slide switch: the knob to the right when on, with light in its slot.
    const double travel = 4.0;
    Vec slider = t.centre + Vec{on ? travel : -travel, 0};
    auto height = [&](Vec q) {
        double d = sdRoundedBox(q, slider, {4.0, 4.8}, 1.8);
        double grip = 0.3 * detCos((q.x - slider.x) * 2.2) * (d < 0 ? 1 : 0);
        return 3.0 * smoothstep(1.0, -1.5, d) + grip;
    };
    c.paint(t.box, [&](double x, double y, Colour& px) {
        Vec p{x, y};
        double slot = sdRoundedBox(p, t.centre, {9.0, 3.0}, 3.0);
        if (on) px = mixColour(px, kLampTeal * 0.9, coverage(slot) * 0.9);
        if (on) px = px + kLampTeal * (0.22 * glow(slot, 2.5));
        px = mixColour(px, px * 0.4,
                       smoothstep(2.0, -1.0, sdRoundedBox(p, slider + Vec{0.8, 1.4}, {4.0, 4.8}, 1.8)) * 0.6);
        double body = sdRoundedBox(p, slider, {4.0, 4.8}, 1.8);
        px = mixColour(px, shade(rgb(0x8c94a0), reliefNormal(height, p), 1.3), coverage(body));
        if (hovered) {
            double rim = sdRoundedBox(p, t.centre, {10.5, 6.5}, 5);
            px = px + Colour{0.45, 0.85, 0.95} * (0.5 * bump(rim + 0.6, 1.2) + 0.15 * glow(std::fabs(rim + 1.0), 2.5));
        }
    });
}

void drawButton(Canvas& c, const ButtonSpec& b, bool lit) {
    const double R = b.radius;
    const bool round = b.look == ButtonLook::Power || b.look == ButtonLook::Play;
    auto shape = [&](Vec q) { return round ? sdCircle(q, b.centre, R) : sdRoundedBox(q, b.centre, {R, R}, 3.0); };
    auto height = [&](Vec q) {
        double d = shape(q);
        double t = clamp01(-d / 3.0);
        double dome = round ? 1.2 * (1.0 - length(q - b.centre) / R) : 0.0;
        return 3.5 * (1.0 - (1.0 - t) * (1.0 - t)) + dome;
    };
    // The symbol's distance field.
    std::vector<std::pair<Vec, Vec>> strokes;
    double symbol = 0;  // >0: filled triangle instead of strokes
    Vec tri[3];
    switch (b.look) {
        case ButtonLook::Power: {
            const double a = R * 0.46;
            for (int i = 0; i < 24; ++i) {
                double t0 = kPi * (0.22 + 1.56 * i / 24.0) + kPi, t1 = kPi * (0.22 + 1.56 * (i + 1) / 24.0) + kPi;
                strokes.push_back(
                    {b.centre + directionClockwiseFromDown(t0) * a, b.centre + directionClockwiseFromDown(t1) * a});
            }
            strokes.push_back({b.centre + Vec{0, -R * 0.62}, b.centre + Vec{0, -R * 0.12}});
            break;
        }
        case ButtonLook::Play:
            symbol = 1;
            tri[0] = b.centre + Vec{-R * 0.30, -R * 0.42};
            tri[1] = b.centre + Vec{R * 0.48, 0};
            tri[2] = b.centre + Vec{-R * 0.30, R * 0.42};
            break;
        case ButtonLook::ArrowUp:
        case ButtonLook::ArrowDown: {
            symbol = 1;
            double s = b.look == ButtonLook::ArrowUp ? -1 : 1;
            tri[0] = b.centre + Vec{-R * 0.50, -s * R * 0.25};
            tri[1] = b.centre + Vec{R * 0.50, -s * R * 0.25};
            tri[2] = b.centre + Vec{0, s * R * 0.42};
            break;
        }
    }
    auto symbolDistance = [&](Vec p) {
        if (symbol > 0) return sdTriangle(p, tri[0], tri[1], tri[2]) + 0.3;
        double best = 1e9;
        for (auto& s : strokes) {
            double d = distanceToSegment(p, s.first, s.second);
            best = d < best ? d : best;
        }
        return best - 1.3;
    };
    const Colour light =
        b.look == ButtonLook::Power ? kQuitRed : (b.look == ButtonLook::Play ? kLaunchAmber : kLampTeal);
    const double reach = round ? 6.5 : 2.8;
    c.paint(b.box, [&](double x, double y, Colour& px) {
        Vec p{x, y};
        double d = shape(p);
        double shadow = smoothstep(4.0, -1.5, shape(p - Vec{1.2, 2.0}));
        px = px * (1.0 - 0.5 * shadow);
        Colour cap = shade(rgb(round ? 0x30343c : 0x3a3f48), reliefNormal(height, p), 1.4);
        double sd = symbolDistance(p);
        Colour mark = lit ? mixColour(light, Colour{1, 1, 1}, 0.35) : Colour{0.36, 0.40, 0.45};
        cap = mixColour(cap, cap * 0.35, coverage(symbolDistance(p - Vec{0.7, 0.7})));
        cap = mixColour(cap, mark, coverage(sd));
        if (lit) cap = cap + light * (0.35 * glow(sd, 3.5));
        px = mixColour(px, cap, coverage(d));
        if (lit) px = px + light * (0.55 * bump(d - 1.0, 2.0) + 0.25 * glow(d, reach));
    });
}

}  // namespace artgen

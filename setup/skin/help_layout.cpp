// Laying help texts out on the lines of the help area and fading them.

#include <algorithm>
#include <cmath>

#include "setup/skin/help_display.h"

namespace setup {
namespace {

// Where a text of n characters ends its line: the last space among its first
// 17 characters when it does not fit. A text with no such space after its
// first character is cut after 17 characters: breaking at index 0 would lay
// the same text out again and again.
std::size_t breakPoint(std::string_view text, std::size_t n) {
    if (n < static_cast<std::size_t>(kHelpColumns)) return n;
    for (std::size_t i = kHelpColumns - 1; i > 0; --i) {
        if (text[i] == ' ') return i;
    }
    return kHelpColumns;
}

void startFadeIn(HelpLine& line) {
    line.fadingIn = true;
    for (int i = 0; i < kHelpColumns; ++i) {
        line.step[i] = static_cast<float>(i + 1) * 0.03f / 17.0f + 0.05f;
    }
}

// One tick of a fade-in: true while some character is still below 1.0.
bool fadeIn(HelpLine& line) {
    bool going = false;
    for (int i = 0; i < kHelpColumns; ++i) {
        line.alpha[i] += line.step[i];
        if (line.alpha[i] < 1.0f) {
            going = true;
        } else {
            line.alpha[i] = 1.0f;
        }
    }
    return going;
}

// One tick of a fade-out: true while some character is still above 0.
bool fadeOut(HelpLine& line) {
    bool going = false;
    for (int i = 0; i < kHelpColumns; ++i) {
        line.alpha[i] -= line.step[i];
        if (line.alpha[i] > 0.0f) {
            going = true;
        } else {
            line.alpha[i] = 0.0f;
        }
    }
    return going;
}

}  // namespace

int layoutHelpText(HelpArea& area, std::string_view text, int line, float alpha) {
    line = std::clamp(line, 0, kHelpLines - 1);
    std::size_t n = text.size();
    if (n > 2 && text[n - 1] == '\r') --n;
    const std::size_t b = breakPoint(text, n);
    const int pad = std::max((kHelpColumns - static_cast<int>(b) - 1) / 2, 0);

    HelpLine& target = area.lines[line];
    target.text.assign(pad, ' ');
    target.text.append(text.substr(0, b));
    target.text.resize(std::min<std::size_t>(target.text.size(), kHelpColumns));
    target.alpha.fill(0.0f);
    target.step.fill(0.0f);
    target.fadingIn = false;
    target.fadingOut = false;
    startFadeIn(target);
    if (alpha != 0.0f) target.alpha.fill(alpha);

    if (b == n) return line + 1;
    return layoutHelpText(area, text.substr(b), line + 1, alpha);
}

int showHelpSection(HelpArea& area, const HelpTexts& texts, std::string_view section, float alpha) {
    const HelpText* help = texts.find(section);
    if (!help) return 0;
    int line = help->startLine;
    for (const std::string& text : help->lines) line = layoutHelpText(area, text, line, alpha);
    return line;
}

void fadeOutAllLines(HelpArea& area) {
    for (HelpLine& line : area.lines) line.fadingOut = true;
}

void tickHelpLines(HelpArea& area, std::uint32_t processMilliseconds) {
    const float shimmer = static_cast<float>(0.8 + 0.2 * std::cos(processMilliseconds * 0.00147));
    for (HelpLine& line : area.lines) {
        if (line.fadingIn) {
            line.fadingIn = fadeIn(line);
        } else if (line.fadingOut) {
            line.fadingOut = fadeOut(line);
            if (!line.fadingOut) line.text.clear();
        }
        if (!line.fadingIn && !line.fadingOut) line.alpha.fill(shimmer);
    }
}

}  // namespace setup

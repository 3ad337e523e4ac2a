#include "tools/cli/progress.h"

#include <algorithm>
#include <cstdio>

#include "tools/cli/console.h"

namespace cli {

namespace {

constexpr auto kQuietStart = std::chrono::milliseconds(500);
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);
constexpr int kBarWidth = 30;

std::string formatted(const char* format, auto... values) {
    char text[64];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

// 0:42, 12:05, 1:02:03.
std::string clockTime(double seconds) {
    const auto whole = static_cast<unsigned long long>(seconds + 0.5);
    if (whole >= 3600) return formatted("%llu:%02llu:%02llu", whole / 3600, whole / 60 % 60, whole % 60);
    return formatted("%llu:%02llu", whole / 60, whole % 60);
}

}  // namespace

std::string progressLine(std::string_view label, uint64_t done, uint64_t total, std::string_view speedUnit,
                         double seconds, std::string_view detail) {
    std::string line(label);
    if (total == 0) {  // no end known: the count alone
        line += formatted(" %llu", static_cast<unsigned long long>(done));
    } else {
        std::string bar(size_t(kBarWidth * std::min(done, total) / total), '#');
        bar.resize(kBarWidth, '.');
        line += " [" + bar + "]" +
                formatted(" %llu/%llu", static_cast<unsigned long long>(done), static_cast<unsigned long long>(total));
    }
    if (!speedUnit.empty() && seconds > 0 && done > 0) {
        const double speed = double(done) / seconds;
        line += formatted("  %.1f ", speed) + std::string(speedUnit);
        if (total > done) line += "  " + clockTime(double(total - done) / speed) + " left";
    }
    if (!detail.empty()) line += "  " + std::string(detail);
    return line;
}

Progress::Progress(std::string label, uint64_t total, bool quiet)
    : label_(std::move(label)), total_(total), enabled_(!quiet && isTerminal(stderr)) {}

Progress::~Progress() {
    if (drawnWidth_ > 0) std::fprintf(stderr, "\r%*s\r", int(drawnWidth_), "");
}

void Progress::update(uint64_t done, std::string_view detail) {
    if (!enabled_) return;
    const auto now = Clock::now();
    if (now - start_ < kQuietStart || (drawnWidth_ > 0 && now - lastDrawn_ < kRedrawEvery)) return;
    lastDrawn_ = now;
    const std::string line =
        progressLine(label_, done, total_, speedUnit_, std::chrono::duration<double>(now - start_).count(), detail);
    // Spaces over what a longer line before left.
    const int padding = drawnWidth_ > line.size() ? int(drawnWidth_ - line.size()) : 0;
    std::fprintf(stderr, "\r%s%*s", line.c_str(), padding, "");
    std::fflush(stderr);
    drawnWidth_ = std::max(drawnWidth_, line.size());
}

}  // namespace cli

#include "common/progress.h"

#include <cstdio>

#include "common/console.h"

namespace orv::cli {

namespace {

constexpr auto kQuietStart = std::chrono::milliseconds(500);
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);
constexpr int kBarWidth = 30;

}  // namespace

Progress::Progress(std::string label, uint64_t total, bool quiet)
    : label_(std::move(label)), total_(total), enabled_(!quiet && isTerminal(stderr)) {}

Progress::~Progress() {
    if (drawn_) std::fprintf(stderr, "\r%*s\r", int(label_.size()) + kBarWidth + 32, "");
}

void Progress::update(uint64_t done) {
    if (!enabled_) return;
    const auto now = Clock::now();
    if (now - start_ < kQuietStart || (drawn_ && now - lastDrawn_ < kRedrawEvery)) return;
    lastDrawn_ = now;
    drawn_ = true;
    if (total_ == 0) {  // no end known: the count alone
        std::fprintf(stderr, "\r%s %llu", label_.c_str(), static_cast<unsigned long long>(done));
        std::fflush(stderr);
        return;
    }
    const int filled = int(kBarWidth * done / total_);
    std::string bar(size_t(filled), '#');
    bar.resize(kBarWidth, '.');
    std::fprintf(stderr, "\r%s [%s] %llu/%llu", label_.c_str(), bar.c_str(), static_cast<unsigned long long>(done),
                 static_cast<unsigned long long>(total_));
    std::fflush(stderr);
}

}  // namespace orv::cli

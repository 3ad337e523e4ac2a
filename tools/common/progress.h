#pragma once
// A progress bar on standard error, drawn only when standard error is a
// terminal, --quiet was not given and the work has run for more than a moment.
// The line is cleared when the work ends.

#include <chrono>
#include <cstdint>
#include <string>

namespace orv::cli {

class Progress {
public:
    // total 0: the end is not known, only the count is shown.
    Progress(std::string label, uint64_t total, bool quiet);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void update(uint64_t done);

private:
    using Clock = std::chrono::steady_clock;

    std::string label_;
    uint64_t total_;
    bool enabled_;
    bool drawn_ = false;
    Clock::time_point start_ = Clock::now();
    Clock::time_point lastDrawn_{};
};

}  // namespace orv::cli

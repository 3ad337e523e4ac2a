#pragma once
// A progress line on standard error, drawn only when standard error is a
// terminal, --quiet was not given and the work has run for more than a moment.
// The line is cleared when the work ends.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace cli {

// What the line says: "LABEL [####....] DONE/TOTAL" or, with no total known,
// "LABEL DONE"; with a speed unit, then "12.5 UNIT" and, when the total is
// known, the time left ("0:42 left"); then the detail.
std::string progressLine(std::string_view label, uint64_t done, uint64_t total, std::string_view speedUnit,
                         double seconds, std::string_view detail);

class Progress {
public:
    // total 0: the end is not known, only the count is shown.
    Progress(std::string label, uint64_t total, bool quiet);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // Shows how many are done per second, in this unit ("fps"), and the time left.
    void showSpeed(std::string unit) { speedUnit_ = std::move(unit); }
    // detail: more to say after the count, such as "812 kbit/s".
    void update(uint64_t done, std::string_view detail = {});

private:
    using Clock = std::chrono::steady_clock;

    std::string label_;
    uint64_t total_;
    bool enabled_;
    std::string speedUnit_;
    size_t drawnWidth_ = 0;  // of the line on the terminal, 0 before the first
    Clock::time_point start_ = Clock::now();
    Clock::time_point lastDrawn_{};
};

}  // namespace cli

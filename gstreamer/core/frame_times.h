#pragma once
// Where each frame of a stream lies in time, in nanoseconds from the first:
// frame n starts at n x denominator / numerator seconds, rounded down, and
// lasts until the next one starts.

#include <cstdint>

#include "support/frame_rate.h"

namespace gstreamer {

inline constexpr uint64_t kNanosecondsPerSecond = 1000000000;

constexpr uint64_t frameStart(uint64_t number, support::FrameRate rate) {
    return uint64_t((unsigned __int128)number * rate.denominator * kNanosecondsPerSecond / rate.numerator);
}

// The frame shown at `time`: the last one that starts at or before it.
constexpr uint64_t frameAt(uint64_t time, support::FrameRate rate) {
    uint64_t number = uint64_t((unsigned __int128)time * rate.numerator /
                               ((unsigned __int128)rate.denominator * kNanosecondsPerSecond));
    // The division above may land one frame early where frameStart rounded down.
    while (frameStart(number + 1, rate) <= time) ++number;
    return number;
}

}  // namespace gstreamer

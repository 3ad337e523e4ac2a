#pragma once
// The soak's table of counter samples and its verdict on them.

#include <ostream>
#include <string>
#include <vector>

#include "tests/e2e/process_counters.h"

namespace setup::e2e {

// Memory may move a little after the warm-up (pages of the allocator, Wine's
// own caches); a leak of a few bytes per tick (100 ticks a second) or of a
// bitmap per press shows up well above this within minutes.
inline constexpr std::uint64_t kMemoryGrowthBound = 512 * 1024;

// Once, memory may step higher and stay there: on a slow (emulated) machine
// the input comes faster than the window takes it, and the queues and heaps
// that hold it grow to the peak once. A leak keeps growing after its step.
inline constexpr std::uint64_t kHighWaterStepBound = 4 * 1024 * 1024;

// Flat means: every counter the system reports (not 0 in the first sample)
// keeps, from the first sample after warmUpRounds rounds on, within
// kMemoryGrowthBound above that sample for memory (or, after one step of at
// most kHighWaterStepBound, above the step's level), and exactly at it for
// handles; GDI and USER objects are the same in every sample. One line per
// counter that is not flat; empty when all are. A step taken is told in
// `steps`.
std::vector<std::string> growthFaults(const std::vector<CounterSample>& samples, int warmUpRounds,
                                      std::vector<std::string>& steps);

// The counters that the system does not report, by name.
std::vector<std::string> unreportedCounters(const std::vector<CounterSample>& samples);

// One row per sample, memory in KiB, "-" for what the system does not report.
void printSamples(std::ostream& out, const std::vector<CounterSample>& samples);

}  // namespace setup::e2e

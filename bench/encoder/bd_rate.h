#pragma once
// Bjøntegaard delta rate: how much more (positive) or less (negative) rate a
// test curve needs than an anchor for the same quality, averaged over the
// quality range both cover. Each curve's log rate is fitted by a cubic in
// PSNR (least squares), and the fits are integrated over the overlap.

#include <optional>
#include <vector>

namespace bench {

struct RatePoint {
    double rate;  // any unit, the same for both curves
    double psnr;
};

// In percent; none when the curves have fewer than 4 points or do not overlap.
std::optional<double> bdRate(const std::vector<RatePoint>& anchor, const std::vector<RatePoint>& test);

}  // namespace bench

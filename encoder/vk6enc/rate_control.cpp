#include "vk6enc/rate_control.h"

#include <algorithm>
#include <stdexcept>

namespace vk6enc {

namespace {

constexpr double kHorizonSeconds = 2;
constexpr uint64_t kShortestHorizon = 10;

double bytesPerFrame(double bitsPerSecond, double framesPerSecond) {
    if (!(bitsPerSecond > 0) || !(framesPerSecond > 0)) throw std::invalid_argument("rates must be positive");
    return bitsPerSecond / framesPerSecond / 8;
}

}  // namespace

RateControl::RateControl(double bitsPerSecond, double framesPerSecond, uint64_t frameCount, int intraEvery)
    : bytesPerFrame_(bytesPerFrame(bitsPerSecond, framesPerSecond)),
      frameCount_(frameCount),
      horizon_(std::max(kShortestHorizon, uint64_t(framesPerSecond * kHorizonSeconds))),
      intraEvery_(intraEvery) {}

RateControl::RateControl(double bitsPerSecond, double framesPerSecond, std::span<const FirstPassFrame> firstPass)
    : RateControl(bitsPerSecond, framesPerSecond, firstPass.size(), 0) {
    double floors = 0, details = 0;
    for (const FirstPassFrame& frame : firstPass) {
        floors += double(frame.floorBytes);
        details += double(std::max(frame.bytes, frame.floorBytes) - frame.floorBytes);
    }
    const double above = std::max(0.0, bytesPerFrame_ * double(firstPass.size()) - floors);
    for (const FirstPassFrame& frame : firstPass) {
        const double detail = double(std::max(frame.bytes, frame.floorBytes) - frame.floorBytes);
        const double share = details > 0 ? detail / details : 1.0 / double(firstPass.size());
        plan_.push_back(double(frame.floorBytes) + above * share);
        plannedIntra_.push_back(frame.intra);
        planAhead_ += plan_.back();
    }
}

double RateControl::target(bool intra, double intraWeight) const {
    const bool known = frameCount_ > coded_;
    const uint64_t ahead = known ? frameCount_ - coded_ : horizon_;
    const double budget = double(ahead) * bytesPerFrame_ - (spent_ - double(coded_) * bytesPerFrame_);
    double weight = 0, rest = 0;
    if (planned()) {
        weight = plan_[coded_];
        rest = planAhead_ - weight;
    } else {
        weight = intra ? intraWeight : 1.0;
        const double intraShare = intraEvery_ > 0 ? 1.0 / intraEvery_ : 0.0;
        rest = double(ahead - 1) * (1 + (intraWeight - 1) * intraShare);
    }
    return std::max(budget, 1.0) * weight / std::max(weight + rest, 1e-9);
}

void RateControl::coded(size_t bytes) {
    if (planned()) planAhead_ -= plan_[coded_];
    spent_ += double(bytes);
    ++coded_;
}

}  // namespace vk6enc

#include "encoder/rate_control.h"

#include <algorithm>
#include <stdexcept>

namespace encoder {

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
    const double budget = bytesPerFrame_ * double(firstPass.size());
    floorsOverBudget_ = floors > budget;
    const double above = std::max(0.0, budget - floors);
    for (const FirstPassFrame& frame : firstPass) {
        const double detail = double(std::max(frame.bytes, frame.floorBytes) - frame.floorBytes);
        const double share = details > 0 ? detail / details : 1.0 / double(firstPass.size());
        plan_.push_back(double(frame.floorBytes) + above * share);
        plannedIntra_.push_back(frame.intra);
        planAhead_ += plan_.back();
    }
}

double RateControl::target(bool intra, double intraWeight) const {
    return targetOver(frameCount_ > coded_ ? frameCount_ - coded_ : horizon_, intra, intraWeight);
}

// The target with what is owed or saved spread over `ahead` frames.
double RateControl::targetOver(uint64_t ahead, bool intra, double intraWeight) const {
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

// Whether the frames at quality 1 are over the budget. A second pass knows
// from the first. One pass takes a frame's size at quality 1 for the
// predicted frames to come: whether it is over a predicted frame's target
// with what is owed spread over two seconds at least, so that a debt that
// only the clip's end makes pressing does not count.
bool RateControl::overFloors(double floorBytes, double intraWeight) const {
    if (secondPass()) return floorsOverBudget_;
    const uint64_t ahead = std::max(horizon_, frameCount_ > coded_ ? frameCount_ - coded_ : 0);
    return floorBytes > targetOver(ahead, false, intraWeight);
}

// Each frame saves up what its target allows beyond a repeat, and one is
// coded once that pays for quality 1 beyond a repeat: a share of
// (target - repeat) / (floor - repeat) of the frames, spread evenly.
bool RateControl::repeatDue(double target, double floorBytes, double intraWeight) {
    if (floorBytes <= target || floorBytes <= repeatBytes_ || !overFloors(floorBytes, intraWeight)) return false;
    if (repeatBytes_ == 0) return true;  // the first repeat tells what one takes
    repeatCredit_ = std::max(0.0, repeatCredit_ + target - repeatBytes_);
    if (repeatCredit_ < floorBytes - repeatBytes_) return true;
    repeatCredit_ -= floorBytes - repeatBytes_;
    return false;
}

void RateControl::coded(size_t bytes, bool repeat) {
    if (planned()) planAhead_ -= plan_[coded_];
    if (repeat) repeatBytes_ = double(bytes);
    spent_ += double(bytes);
    ++coded_;
}

}  // namespace encoder

#pragma once
// How many bytes each frame should take for a stream to average a bitrate.
//
// The budget runs over the frames coded so far and those still to come:
// what the coded ones spent beyond or below their share is spread over the
// frames to come, each taking a part by its weight. The frames to come are
// the rest of the clip when its length is known; otherwise the next two
// seconds' worth, so that a debt is paid back steadily whenever the clip ends.
//
// One pass weighs an intra frame by how many times a predicted frame's size
// it is expected to take, and expects the intra frames --intra-every asks for.
// A second pass knows every frame from the first: its size at quality 1,
// below which no quality goes, and what it took above that at
// kFirstPassQuality. Each frame's weight is its floor plus that detail,
// scaled alike for all frames so that the clip fits the budget: detailed
// frames get more, and frames that cannot use more do not hold it back.
//
// Where even quality 1 takes more than the rate, predicted frames show the
// previous picture again, spread evenly: a frame is coded when the targets
// since the last one coded have saved up what quality 1 takes beyond a
// repeat, and repeated otherwise (Bresenham's line). The targets follow the
// budget as ever, so the repeats make up for intra frames too.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace encoder {

inline constexpr int kFirstPassQuality = 75;

struct FirstPassFrame {
    bool intra = false;
    size_t bytes = 0;       // at the first pass's quality, kFirstPassQuality in vk6 encode
    size_t floorBytes = 0;  // at quality 1
};

class RateControl {
public:
    // One pass; frameCount 0 when the clip's length is not known. Throws
    // std::invalid_argument for a rate that is not positive.
    RateControl(double bitsPerSecond, double framesPerSecond, uint64_t frameCount, int intraEvery);
    // A second pass over the frames the first pass measured.
    RateControl(double bitsPerSecond, double framesPerSecond, std::span<const FirstPassFrame> firstPass);

    // The bytes the next frame should take. intraWeight: how many times a
    // predicted frame's size an intra frame is expected to take.
    double target(bool intra, double intraWeight) const;
    // Whether the next frame, a predicted frame that takes floorBytes at
    // quality 1, should repeat the previous picture instead: only when
    // floorBytes is over its target, and quality 1 over the budget. The
    // first time, repeats cost nothing as far as it knows; coded() tells.
    bool repeatDue(double target, double floorBytes, double intraWeight);
    // repeat: the frame repeated the previous picture.
    void coded(size_t bytes, bool repeat = false);

    uint64_t framesCoded() const { return coded_; }
    bool secondPass() const { return !plan_.empty(); }
    // Second pass: whether the plan covers the next frame, and its kind.
    bool planned() const { return coded_ < plan_.size(); }
    bool plannedIntra() const { return plannedIntra_.at(coded_); }

private:
    double targetOver(uint64_t ahead, bool intra, double intraWeight) const;
    bool overFloors(double floorBytes, double intraWeight) const;

    double bytesPerFrame_;
    uint64_t frameCount_;
    uint64_t horizon_;
    int intraEvery_ = 0;
    std::vector<double> plan_;  // second pass: each frame's weight
    std::vector<bool> plannedIntra_;
    double planAhead_ = 0;  // the weights of the frames not coded yet
    bool floorsOverBudget_ = false;
    uint64_t coded_ = 0;
    double spent_ = 0;
    double repeatBytes_ = 0;   // what the last repeat took
    double repeatCredit_ = 0;  // saved up towards the next frame coded
};

}  // namespace encoder

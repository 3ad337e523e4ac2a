#include "encoder/video_encoder.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "format/frame_header.h"

namespace encoder {

namespace {

// A frame within this fraction of its target is taken; otherwise rate
// control tries at most this many qualities for it.
constexpr double kTolerance = 0.1;
constexpr int kMostRateTries = 4;
double distance(size_t bytes, double target) { return std::abs(std::log(double(std::max<size_t>(bytes, 1)) / target)); }

}  // namespace

// The tries of one frame: each try at a quality teaches the model, and the frame
// chosen in the end is made the encoder's last try again if others followed.
class VideoEncoder::Tries {
public:
    Tries(Encoder& encoder, RateModel& model, const uint8_t* rgb24) : encoder_(encoder), model_(model), rgb_(rgb24) {}

    EncodedFrame code(const FrameRequest& request) {
        EncodedFrame frame = encoder_.tryFrame(rgb_, request);
        model_.observe(request.intra, request.quality, frame.bytes.size());
        last_ = request;
        return frame;
    }

    EncodedFrame repeat() {
        last_.reset();
        return encoder_.tryRepeat(rgb_);
    }

    // `frame`, a try of code(), made the last try.
    EncodedFrame chosen(EncodedFrame frame) {
        if (last_ && last_->intra == frame.intra && last_->quality == frame.quality) return frame;
        return code({frame.intra, frame.quality});
    }

private:
    Encoder& encoder_;
    RateModel& model_;
    const uint8_t* rgb_;
    std::optional<FrameRequest> last_;
};

VideoEncoder::VideoEncoder(const VideoSettings& settings, std::optional<RateControl> rate)
    : settings_(settings),
      rate_(std::move(rate)),
      encoder_(settings.encoder),
      model_(encoder_.pictureRows()),
      lastQuality_(settings.encoder.quality) {}

EncodedFrame VideoEncoder::encode(const uint8_t* rgb24, FirstPassFrame* measured) {
    const bool planned = rate_ && rate_->secondPass();
    if (planned && !rate_->planned())
        throw EncodeError("more frames than the first pass saw (" + std::to_string(rate_->framesCoded()) + ")");
    Tries tries(encoder_, model_, rgb24);
    const bool intraNeeded = encoder_.intraDue();
    bool intra = intraNeeded || (planned && rate_->plannedIntra());
    // The first try's quality does not change how badly a frame is predicted.
    const auto firstTry = [&] { return tries.code({intra, measured ? 1 : firstQuality(intra)}); };
    EncodedFrame frame = firstTry();
    if (!intra && !planned && settings_.sceneCuts && encoder_.mispredictedShare() >= kCutShare) {
        intra = true;
        frame = firstTry();
    }
    if (measured) {
        *measured = {intra, 0, frame.bytes.size()};
        frame = tries.code({intra, settings_.encoder.quality});
        measured->bytes = frame.bytes.size();
    }
    bool repeat = false;
    if (rate_) {
        frame = approachTarget(tries, std::move(frame));
        repeat = !frame.intra && rate_->repeatDue(target(false), floorBytes(frame), intraWeight());
        if (repeat) frame = tries.repeat();
    }
    if (settings_.maxFrameBytes > 0 && frame.bytes.size() > settings_.maxFrameBytes)
        frame = fitLimit(tries, std::move(frame), intraNeeded);
    encoder_.keep();
    if (rate_) rate_->coded(frame.bytes.size(), repeat);
    lastQuality_ = frame.quality;
    return frame;
}

int VideoEncoder::firstQuality(bool intra) const {
    return rate_ ? model_.qualityFor(intra, target(intra), format::kLowestQuality, format::kHighestQuality)
                 : settings_.encoder.quality;
}

// A predicted frame's size at quality 1: its own if it came to that, or
// else the model's, which tries at higher qualities that did not fit taught.
double VideoEncoder::floorBytes(const EncodedFrame& frame) const {
    return frame.quality == 1 ? double(frame.bytes.size()) : model_.expectedBytes(false, 1);
}

// Rate control's target, within the limit.
double VideoEncoder::target(bool intra) const {
    const double bytes = rate_->target(intra, intraWeight());
    return settings_.maxFrameBytes > 0 ? std::min(bytes, double(settings_.maxFrameBytes)) : bytes;
}

// Intra frames against predicted ones at the quality of the frames lately.
double VideoEncoder::intraWeight() const {
    const double ratio = model_.expectedBytes(true, lastQuality_) / model_.expectedBytes(false, lastQuality_);
    return std::clamp(ratio, 1.0, 50.0);
}

// The model's guess of the quality for `bytes` strictly between two tried
// qualities, at least a quarter of the way from each: where sizes hardly
// change with the quality the model learns slowly, and halving the gap
// still closes in.
int VideoEncoder::guessBetween(bool intra, double bytes, int under, int over) const {
    const int margin = (over - under) / 4;
    return std::clamp(model_.qualityFor(intra, bytes, under + 1, over - 1), under + std::max(1, margin),
                      over - std::max(1, margin));
}

// Qualities between the highest known to come out under the target and the
// lowest known to come out over it, as the model guesses them; the nearest
// to the target is kept.
EncodedFrame VideoEncoder::approachTarget(Tries& tries, EncodedFrame frame) {
    const double target = this->target(frame.intra);
    int under = format::kLowestQuality - 1, over = format::kHighestQuality + 1;
    EncodedFrame best = frame;
    for (int tried = 1;; ++tried) {
        (double(frame.bytes.size()) <= target ? under : over) = frame.quality;
        if (distance(frame.bytes.size(), target) < distance(best.bytes.size(), target)) best = frame;
        if (distance(frame.bytes.size(), target) <= std::log1p(kTolerance) || tried == kMostRateTries ||
            over - under <= 1)
            break;
        frame = tries.code({frame.intra, guessBetween(frame.intra, target, under, over)});
    }
    return tries.chosen(std::move(best));
}

// The highest quality below the frame's that keeps it within the limit, if
// any, or one the model, taught by the tries, expects no higher one to beat;
// `smallest` is what the lowest quality tried came to.
std::optional<EncodedFrame> VideoEncoder::highestWithinLimit(Tries& tries, const EncodedFrame& frame,
                                                             size_t& smallest) {
    const size_t limit = settings_.maxFrameBytes;
    const bool intra = frame.intra;
    int fits = 0, over = frame.quality;
    smallest = frame.bytes.size();
    std::optional<EncodedFrame> best;
    while (over - fits > 1) {
        EncodedFrame next = tries.code({intra, guessBetween(intra, double(limit), fits, over)});
        if (next.bytes.size() <= limit) {
            fits = next.quality;
            best = std::move(next);
            if (model_.qualityFor(intra, double(limit), fits, over - 1) == fits) break;
        } else {
            over = next.quality;
            smallest = next.bytes.size();
        }
    }
    if (best) return tries.chosen(std::move(*best));
    return std::nullopt;
}

// Lower qualities; then a cut that quality 1 does not fit is coded as a
// predicted frame after all, and a predicted frame at last repeats the
// previous picture. An intra frame that has to be one has no such way out:
// at quality 1 it is nearly all copies already, 21 bits a block, the least
// an intra block takes.
EncodedFrame VideoEncoder::fitLimit(Tries& tries, EncodedFrame frame, bool intraNeeded) {
    const size_t limit = settings_.maxFrameBytes;
    size_t smallest = 0;
    if (auto fitting = highestWithinLimit(tries, frame, smallest)) return std::move(*fitting);
    if (frame.intra && !intraNeeded) {
        frame = tries.code({false, frame.quality});
        if (frame.bytes.size() <= limit) return frame;
        if (auto fitting = highestWithinLimit(tries, frame, smallest)) return std::move(*fitting);
    }
    std::string smallestCoding = "an intra frame at quality 1";
    if (!frame.intra) {
        frame = tries.repeat();
        if (frame.bytes.size() <= limit) return frame;
        smallest = frame.bytes.size();
        smallestCoding = "the previous picture repeated";
    }
    throw EncodeError("frame " + std::to_string(encoder_.framesKept()) + " cannot be made to fit " +
                      std::to_string(limit) + " bytes: its smallest coding, " + smallestCoding + ", takes " +
                      std::to_string(smallest));
}

}  // namespace encoder

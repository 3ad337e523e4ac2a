#pragma once
// A video frame by frame as a person asks for the whole stream: the Encoder
// told each frame's kind and quality, trying a frame again where the first
// try does not do.
//
// Kind: an intra frame where the Encoder has to make one (the first frame,
// and intraEvery frames after the last intra frame), where a second pass's
// plan has one, or at a scene cut: a predicted try that the frame before
// predicts badly in at least kCutShare of its blocks (encoder/scene_change.h)
// is coded again as an intra frame. Judging the try rather than the pictures
// beforehand starts from the encoder's own motion search, so a pan is no
// cut, and costs a try more only in the frames that are cuts.
//
// Quality: the settings' quality, or with rate control the quality whose
// size comes nearest the frame's target, tried by the rate model's guesses;
// a predicted frame over its target even at quality 1 repeats the previous
// picture where rate control has it so.
// And a frame over maxFrameBytes is coded again at lower qualities; when
// even quality 1 is too large, a cut as a predicted frame after all, and a
// predicted frame as the previous picture repeated.

#include <cstdint>
#include <optional>
#include <stdexcept>

#include "encoder/encoder.h"
#include "encoder/rate_control.h"
#include "encoder/rate_model.h"

namespace encoder {

inline constexpr double kCutShare = 0.5;

struct VideoSettings {
    EncoderSettings encoder;  // its quality holds where there is no rate control
    bool sceneCuts = true;
    size_t maxFrameBytes = 0;  // 0: no limit
};

// A frame that cannot be made to fit maxFrameBytes, or a second pass over
// more frames than the first pass saw.
class EncodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class VideoEncoder {
public:
    // rate: none for the constant quality. Throws std::invalid_argument for
    // settings the Encoder refuses.
    VideoEncoder(const VideoSettings& settings, std::optional<RateControl> rate);

    // The next frame, kept. With `measured`, also what a second pass needs
    // to know of it: its kind, its size and its size at quality 1 (tried
    // first, so that this costs one try more). Throws EncodeError.
    EncodedFrame encode(const uint8_t* rgb24, FirstPassFrame* measured = nullptr);

    const Encoder& encoder() const { return encoder_; }

private:
    class Tries;

    int firstQuality(bool intra) const;
    double target(bool intra) const;
    double floorBytes(const EncodedFrame& frame) const;
    int guessBetween(bool intra, double bytes, int under, int over) const;
    double intraWeight() const;
    EncodedFrame approachTarget(Tries& tries, EncodedFrame frame);
    std::optional<EncodedFrame> highestWithinLimit(Tries& tries, const EncodedFrame& frame, size_t& smallest);
    EncodedFrame fitLimit(Tries& tries, EncodedFrame frame, bool intraNeeded);

    VideoSettings settings_;
    std::optional<RateControl> rate_;
    Encoder encoder_;
    RateModel model_;
    int lastQuality_;
};

}  // namespace encoder

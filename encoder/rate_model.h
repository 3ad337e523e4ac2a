#pragma once
// What a frame is expected to cost at each quality, learned from the frames
// already tried: per frame kind, a curve of the logarithm of the frame size
// over qualities 1 to 100. Each try moves the curve to pass through what it
// cost, and its neighbourhood along with it, less the farther a quality
// lies; the curve stays non-decreasing. Before a kind's first try, the curve
// is a guess from the picture's size, and intra frames are taken for twice
// the size of predicted ones.
//
// Sizes do not follow the quality smoothly (above 75 the quantiser stops
// refining and cheaper copies give way to DCT blocks, and a frame never
// costs less than its block codes), which is why the curve is learned
// point by point rather than fitted.

#include <array>
#include <cstddef>

#include "format/frame_header.h"

namespace encoder {

class RateModel {
public:
    explicit RateModel(int pictureRows);

    void observe(bool intra, int quality, size_t bytes);
    // The frame size expected at a quality.
    double expectedBytes(bool intra, int quality) const;
    // The highest quality from low to high that is expected to keep a frame
    // within `bytes`; low when none is.
    int qualityFor(bool intra, double bytes, int low, int high) const;

private:
    void observeCurve(int kind, int quality, double logBytes);

    std::array<std::array<double, format::kHighestQuality + 1>, 2>
        logBytes_{};  // [intra][quality], below the lowest unused
    std::array<bool, 2> seen_{};
};

}  // namespace encoder

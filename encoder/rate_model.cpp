#include "encoder/rate_model.h"

#include <algorithm>
#include <cmath>

#include "format/picture.h"

namespace encoder {

namespace {

// The guess before any try: an intra block takes 24 bits at the lowest
// quality and twice as many every 25 qualities up; a predicted one half that.
constexpr double kFloorBlockBits = 24, kQualitiesPerDoubling = 25, kIntraToPredicted = 2;
// How far along the qualities a try moves the curve: by e^(-distance / reach) of its error.
constexpr double kReach = 12;

}  // namespace

RateModel::RateModel(int pictureRows) {
    const double blocks = double(pictureRows / 8) * format::kBlocksPerRow;
    for (int kind = 0; kind < 2; ++kind)
        for (int q = format::kLowestQuality; q <= format::kHighestQuality; ++q)
            logBytes_[kind][q] = std::log(blocks * kFloorBlockBits / 8 / (kind == 1 ? 1 : kIntraToPredicted)) +
                                 std::log(2.0) * (q - format::kLowestQuality) / kQualitiesPerDoubling;
}

void RateModel::observe(bool intra, int quality, size_t bytes) {
    const int kind = intra ? 1 : 0;
    const double logBytes = std::log(double(std::max<size_t>(bytes, 1)));
    // A kind's first try places the other kind's guess too, at the same ratio.
    if (!seen_[0] && !seen_[1]) {
        const double ratio = std::log(kIntraToPredicted);
        observeCurve(1 - kind, quality, intra ? logBytes - ratio : logBytes + ratio);
    }
    seen_[kind] = true;
    observeCurve(kind, quality, logBytes);
}

void RateModel::observeCurve(int kind, int quality, double logBytes) {
    auto& curve = logBytes_[kind];
    const double error = logBytes - curve[quality];
    for (int q = format::kLowestQuality; q <= format::kHighestQuality; ++q)
        curve[q] += error * std::exp(-std::abs(q - quality) / kReach);
    // Sizes do not fall as the quality rises: what the try measured holds,
    // and the curve around it gives way.
    for (int q = quality + 1; q <= format::kHighestQuality; ++q) curve[q] = std::max(curve[q], curve[q - 1]);
    for (int q = quality - 1; q >= format::kLowestQuality; --q) curve[q] = std::min(curve[q], curve[q + 1]);
}

double RateModel::expectedBytes(bool intra, int quality) const { return std::exp(logBytes_[intra ? 1 : 0][quality]); }

int RateModel::qualityFor(bool intra, double bytes, int low, int high) const {
    const auto& curve = logBytes_[intra ? 1 : 0];
    const double limit = std::log(std::max(bytes, 1.0));
    int quality = low;
    for (int q = low; q <= high; ++q)
        if (curve[q] <= limit) quality = q;
    return quality;
}

}  // namespace encoder

#include "encoder/colour_mapping.h"

namespace encoder {

namespace {

// The middle of the decoder's step for the level nearest to `value` on a
// field of `bits` bits, in 1/64 units: step x value x top / 255 + step / 2.
void buildTargets(int bits, std::array<int32_t, 256>& targets) {
    const int64_t top = (1 << bits) - 1, step = 256 >> bits;
    for (int value = 0; value < 256; ++value)
        targets[value] =
            int32_t((ColourMapping::kFraction * step * top * value + 127) / 255 + ColourMapping::kFraction * step / 2);
}

}  // namespace

ColourMapping::ColourMapping(int pixelType) {
    buildTargets(5, red_);
    buildTargets(pixelType == 16 ? 6 : 5, green_);
    buildTargets(5, blue_);
}

}  // namespace encoder

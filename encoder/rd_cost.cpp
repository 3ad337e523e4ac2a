#include "encoder/rd_cost.h"

#include <algorithm>

#include "decoder/vk6_internal.h"

namespace encoder {

// Lambda grows with the square of the luminance quantiser's typical step:
// the mean over the first 16 scan positions, where most coded levels lie.
// The step is taken before the decoder's lower bound of 8: above quality 75
// the quantiser stops refining, and it is lambda that still spends more bits
// on replacing copies by DCT blocks.
Cost lambdaFor(int quality, int lambdaScale) {
    const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
    int64_t sum = 0;
    for (int position = 0; position < 16; ++position) {
        const int base = decoder::LuminanceQuantisation[decoder::kZigzagToNatural[position]];
        sum += std::clamp((scale * base + 50) / 100, 1, 255);
    }
    const int64_t step = sum / 16;
    return std::max<Cost>(1, step * step * lambdaScale);
}

}  // namespace encoder

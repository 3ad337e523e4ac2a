#include "vk6enc/scene_change.h"

#include <cstdlib>

namespace vk6enc {

namespace {

// Mean luma differences up to this many levels per pixel are taken for
// noise, as a camera's or a dither's, which no source predicts.
constexpr int kNoiseSad = 4 * 64;

// Sum of absolute luma differences from the block's mean.
int lumaActivity8x8(const RgbPlanes& planes, int x, int y) {
    int sum = 0;
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 8; ++column) sum += planes.luma[planes.at(x + column, y + row)];
    const int mean = (sum + 32) / 64;
    int activity = 0;
    for (int row = 0; row < 8; ++row)
        for (int column = 0; column < 8; ++column)
            activity += std::abs(planes.luma[planes.at(x + column, y + row)] - mean);
    return activity;
}

}  // namespace

double mispredictedShare(const RgbPlanes& source, const RgbPlanes& previous, const MotionField& motion) {
    int blocks = 0, mispredicted = 0;
    for (int y = 0; y < source.rows; y += 8)
        for (int x = 0; x < kWidth; x += 8, ++blocks) {
            const Point vector = motion.reference[size_t(blocks)];
            const int sad = lumaSad8x8(source, x, y, previous, x + vector.x, y + vector.y);
            if (sad > kNoiseSad && sad > lumaActivity8x8(source, x, y)) ++mispredicted;
        }
    return blocks == 0 ? 0.0 : double(mispredicted) / blocks;
}

}  // namespace vk6enc

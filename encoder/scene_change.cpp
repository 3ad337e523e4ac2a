#include "encoder/scene_change.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "encoder/candidate_search.h"

namespace encoder {

namespace {

// Mean luma differences up to this many levels per pixel are taken for
// noise, as a camera's or a dither's, which no source predicts.
constexpr int kNoiseSad = 4 * 64;
// How far the search of the source frames may look from the block.
constexpr int kReach = 64;

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
    CandidateSearch search;
    std::vector<Point> starts, found;
    int blocks = 0, mispredicted = 0;
    for (int y = 0; y < source.rows; y += 8)
        for (int x = 0; x < kWidth; x += 8, ++blocks) {
            const int activity = lumaActivity8x8(source, x, y);
            const auto predictsBadly = [&](Point from) {
                const int sad = lumaSad8x8(source, x, y, previous, from.x, from.y);
                return sad > kNoiseSad && sad > activity;
            };
            const Point vector = motion.reference[size_t(blocks)];
            if (!predictsBadly({x + vector.x, y + vector.y})) continue;
            // The frame's search ran over the decoded picture, which at low
            // qualities can hide the motion: a search over the source frames
            // themselves, from there and from the block's own place, decides.
            const SourceWindow window{std::max(0, x - kReach),
                                      std::min(kWidth - 8, x + kReach),
                                      std::max(0, y - kReach),
                                      std::min(source.rows - 8, y + kReach),
                                      {x, y},
                                      false};
            starts.assign({{x + vector.x, y + vector.y}, {x, y}});
            found.clear();
            search.find(source, previous, window, starts, true, 1, found);
            if (found.empty() || predictsBadly(found[0])) ++mispredicted;
        }
    return blocks == 0 ? 0.0 : double(mispredicted) / blocks;
}

}  // namespace encoder

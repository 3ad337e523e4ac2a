#pragma once
// Finds copy sources for an 8x8 block by luma block matching: the start
// points (neighbours' vectors, the same block last frame, fixed offsets) and
// then a descent in shrinking steps from the best of them.

#include <cstdint>
#include <span>
#include <vector>

#include "encoder/picture_planes.h"
#include "encoder/source_window.h"

namespace encoder {

struct Match {
    Point source;
    int sad;
};

class CandidateSearch {
public:
    // Appends to `out` up to `count` distinct source positions of `picture`,
    // best first, for the block of `source` at window.block.
    void find(const RgbPlanes& source, const RgbPlanes& picture, const SourceWindow& window,
              std::span<const Point> starts, bool descend, int count, std::vector<Point>& out);

private:
    bool visit(const RgbPlanes& source, const RgbPlanes& picture, const SourceWindow& window, Point p);

    std::vector<Match> visited_;
};

}  // namespace encoder

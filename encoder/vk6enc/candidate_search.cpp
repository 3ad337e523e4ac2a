#include "vk6enc/candidate_search.h"

#include <algorithm>

namespace vk6enc {

namespace {

constexpr Point kNeighbours[8] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
constexpr int kStepMoves[3] = {2, 2, 8};  // moves allowed at steps 4, 2 and 1

}  // namespace

// Scores a position once; returns whether it is new and allowed.
bool CandidateSearch::visit(const RgbPlanes& source, const RgbPlanes& picture, const SourceWindow& window, Point p) {
    if (!window.allows(p)) return false;
    for (const Match& m : visited_)
        if (m.source == p) return false;
    visited_.push_back({p, lumaSad8x8(source, window.block.x, window.block.y, picture, p.x, p.y)});
    return true;
}

void CandidateSearch::find(const RgbPlanes& source, const RgbPlanes& picture, const SourceWindow& window,
                           std::span<const Point> starts, bool descend, int count, std::vector<Point>& out) {
    visited_.clear();
    for (Point start : starts) visit(source, picture, window, start);
    if (visited_.empty()) return;
    auto bestOf = [&] {
        return *std::min_element(visited_.begin(), visited_.end(),
                                 [](const Match& a, const Match& b) { return a.sad < b.sad; });
    };
    if (descend) {
        Match best = bestOf();
        int stepIndex = 0;
        for (int step : {4, 2, 1}) {
            for (int move = 0; move < kStepMoves[stepIndex] && best.sad > 0; ++move) {
                const Point centre = best.source;
                for (Point n : kNeighbours) visit(source, picture, window, {centre.x + step * n.x, centre.y + step * n.y});
                best = bestOf();
                if (best.source == centre) break;
            }
            ++stepIndex;
        }
    }
    std::stable_sort(visited_.begin(), visited_.end(), [](const Match& a, const Match& b) { return a.sad < b.sad; });
    const int taken = std::min<int>(count, int(visited_.size()));
    for (int i = 0; i < taken; ++i) out.push_back(visited_[i].source);
}

}  // namespace vk6enc

#include "encoder/candidate_search.h"

#include <algorithm>

namespace encoder {

namespace {

constexpr Point kNeighbours[8] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};

struct Stage {
    int step;
    int directions;  // the first 4 (a cross) or all 8 neighbours
    int moves;       // at most this many moves of the centre
};
constexpr Stage kStages[] = {{4, 4, 2}, {2, 4, 2}, {1, 8, 8}};
// A start this close (mean luma difference 3) only needs the last stage.
constexpr int kCloseSad = 3 * 64;

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
        const bool close = best.sad <= kCloseSad;
        for (const Stage& stage : kStages) {
            if (close && stage.step > 1) continue;
            for (int move = 0; move < stage.moves && best.sad > 0; ++move) {
                const Point centre = best.source;
                for (int d = 0; d < stage.directions; ++d)
                    visit(source, picture, window,
                          {centre.x + stage.step * kNeighbours[d].x, centre.y + stage.step * kNeighbours[d].y});
                best = bestOf();
                if (best.source == centre) break;
            }
        }
    }
    // The best `count`, ties to the one visited first.
    for (int taken = 0; taken < count && !visited_.empty(); ++taken) {
        const auto best = std::min_element(visited_.begin(), visited_.end(),
                                           [](const Match& a, const Match& b) { return a.sad < b.sad; });
        out.push_back(best->source);
        visited_.erase(best);
    }
}

}  // namespace encoder

#include "vk6enc/frame_encoder.h"

#include <algorithm>

#include "vk6enc/encoder.h"
#include "vk6enc/repeat_finder.h"

namespace vk6enc {

namespace {

constexpr int kBlocksPerRow = kWidth / 8;
// Block displacements every piece can reach with a far vector word.
constexpr int kReachX = 120, kReachUp = 56, kReachDown = 56, kTargetReachUp = 120;

Point plus(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point minus(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }

class BlockLoop {
public:
    BlockLoop(const FrameJob& job, FrameStreams& streams)
        : job_(job), planner_(job.planner), writer_(job.writer, streams) {}

    void run() {
        const int rows = job_.targetPlanes.rows;
        if (job_.planner.intra) {
            blockRepeats_.start(job_.planner.source);
            quarterRepeats_.start(job_.planner.source);
        }
        for (int y = 0; y < rows; y += 8) {
            if (job_.planner.intra) {  // windows wholly above this block row
                blockRepeats_.addRowsUpTo(y - 8);
                quarterRepeats_.addRowsUpTo(y - 4);
            }
            for (int x = 0; x < kWidth; x += 8) codeBlock({x, y});
        }
    }

private:
    int blockIndex(Point block) const { return block.y / 8 * kBlocksPerRow + block.x / 8; }

    // The displacement stored for a neighbour, if the neighbour exists and is coded already.
    void addNeighbour(const std::vector<Point>& field, Point block, int dx, int dy, std::vector<Point>& starts) const {
        const Point neighbour{block.x + 8 * dx, block.y + 8 * dy};
        if (neighbour.x < 0 || neighbour.x >= kWidth || neighbour.y < 0) return;
        starts.push_back(plus(block, field[blockIndex(neighbour)]));
    }

    void findReferenceSources(Point block) {
        const int rows = job_.targetPlanes.rows;
        const SourceWindow window{std::max(0, block.x - kReachX),
                                  std::min(kWidth - 8, block.x + kReachX),
                                  std::max(0, block.y - kReachUp),
                                  std::min(rows - 8, block.y + kReachDown),
                                  block,
                                  false};
        starts_.assign({block});
        addNeighbour(job_.motion.reference, block, -1, 0, starts_);
        addNeighbour(job_.motion.reference, block, 0, -1, starts_);
        addNeighbour(job_.motion.reference, block, 1, -1, starts_);
        starts_.push_back(plus(block, job_.previousMotion.reference[blockIndex(block)]));
        found_.clear();
        search_.find(job_.planner.source, *job_.planner.reference, window, starts_, true,
                     job_.settings.referenceCandidates, found_);
        for (Point p : found_) candidates_.push_back({p, false});
        job_.motion.reference[blockIndex(block)] = found_.empty() ? Point{0, 0} : minus(found_[0], block);
    }

    void findTargetSources(Point block) {
        const SourceWindow window{std::max(0, block.x - kReachX),
                                  std::min(kWidth - 8, block.x + kReachX),
                                  std::max(0, block.y - kTargetReachUp),
                                  block.y,
                                  block,
                                  true};
        starts_.clear();
        if (job_.planner.intra)
            if (const auto repeat = blockRepeats_.find(block)) starts_.push_back(*repeat);
        for (Point offset : {Point{-8, 0}, Point{0, -8}, Point{-8, -8}, Point{8, -8}, Point{-16, 0}, Point{0, -16}})
            starts_.push_back(plus(block, offset));
        addNeighbour(job_.motion.target, block, -1, 0, starts_);
        addNeighbour(job_.motion.target, block, 0, -1, starts_);
        found_.clear();
        // Predicted frames have the previous picture for most blocks: there
        // the best of the fixed starts suffices.
        const bool intra = job_.planner.intra;
        search_.find(job_.planner.source, job_.targetPlanes, window, starts_, intra,
                     intra ? job_.settings.targetCandidates : std::min(1, job_.settings.targetCandidates), found_);
        for (Point p : found_) candidates_.push_back({p, true});
        job_.motion.target[blockIndex(block)] = found_.empty() ? Point{-8, 0} : minus(found_[0], block);
        if (intra && job_.settings.targetCandidates > 0) {
            addQuarterRepeats(block, window);
            // The neighbours, whatever their plain match: mirror images and
            // turns of them show only through the symmetries.
            for (Point offset : {Point{-8, 0}, Point{0, -8}}) addTargetCandidate(plus(block, offset), window);
        }
    }

    void addTargetCandidate(Point source, const SourceWindow& window) {
        const bool known = std::any_of(candidates_.begin(), candidates_.end(),
                                       [&](const CopySource& c) { return c.fromTarget && c.source == source; });
        if (!known && window.allows(source)) candidates_.push_back({source, true});
    }

    // A quarter seen before (a glyph, a tile's corner) places the whole block
    // as a candidate, whatever the other quarters match there.
    void addQuarterRepeats(Point block, const SourceWindow& window) {
        for (Point quarter : {Point{0, 0}, Point{4, 0}, Point{0, 4}, Point{4, 4}}) {
            if (const auto repeat = quarterRepeats_.find(plus(block, quarter)))
                addTargetCandidate(minus(*repeat, quarter), window);
        }
    }

    void codeBlock(Point block) {
        candidates_.clear();
        if (!job_.planner.intra) findReferenceSources(block);
        findTargetSources(block);
        planner_.plan(block, candidates_, plan_);
        writer_.write(block, plan_);
        job_.expander.expandRegion(job_.writer.target, block.x, block.y, 8, 8, job_.targetPlanes);
    }

    const FrameJob& job_;
    BlockPlanner planner_;
    BlockWriter writer_;
    CandidateSearch search_;
    RepeatFinder blockRepeats_{8}, quarterRepeats_{4};
    BlockPlan plan_;
    std::vector<Point> starts_, found_;
    std::vector<CopySource> candidates_;
};

}  // namespace

void MotionField::reset(size_t blocks) {
    reference.assign(blocks, Point{0, 0});
    target.assign(blocks, Point{-8, 0});
}

void encodeFrame(const FrameJob& job, FrameStreams& streams) {
    BlockLoop loop(job, streams);
    loop.run();
}

}  // namespace vk6enc

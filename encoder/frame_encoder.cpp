#include "encoder/frame_encoder.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "encoder/encoder.h"
#include "encoder/repeat_finder.h"
#include "encoder/wavefront.h"

namespace encoder {

namespace {

constexpr int kBlocksPerRow = kWidth / 8;
// Block displacements every piece can reach with a far vector word.
constexpr int kReachX = 120, kReachUp = 56, kReachDown = 56, kTargetReachUp = 120;
// Block rows coded side by side: a block waits for the row above to have
// coded every block a copy from the picture being decoded reads (up to
// kReachX + 7 pixels to its right), which takes in the top-right neighbour
// whose vector starts a search: kRowLead blocks from its own column on.
constexpr int kRowLead = (kReachX + 7) / 8 + 1;

Point plus(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point minus(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }

// The windows of an intra frame's source that the repeat finders look up.
struct SourceRepeats {
    WindowHashes blocks{8}, quarters{4};
};

// Codes blocks one after another, each once those above it and to its left
// are coded. Each thread coding a frame has its own: the search, the planner
// and the repeat finders keep scratch state.
class BlockCoder {
public:
    BlockCoder(const FrameJob& job, const SourceRepeats& repeats) : job_(job), planner_(job.planner) {
        if (job.planner.intra) {
            blockRepeats_.emplace(repeats.blocks);
            quarterRepeats_.emplace(repeats.quarters);
        }
    }

    // Block rows are started in increasing order.
    void startRow(int y) {
        if (job_.planner.intra) {  // windows wholly above this block row
            blockRepeats_->addRowsUpTo(y - 8);
            quarterRepeats_->addRowsUpTo(y - 4);
        }
    }

    void codeBlock(Point block, FrameStreams& streams) {
        candidates_.clear();
        if (!job_.planner.intra) findReferenceSources(block);
        findTargetSources(block);
        planner_.plan(block, candidates_, plan_);
        BlockWriter(job_.writer, streams).write(block, plan_);
        job_.expander.expandRegion(job_.writer.target, block.x, block.y, 8, 8, job_.targetPlanes);
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
            if (const auto repeat = blockRepeats_->find(block)) starts_.push_back(*repeat);
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
            if (const auto repeat = quarterRepeats_->find(plus(block, quarter)))
                addTargetCandidate(minus(*repeat, quarter), window);
        }
    }

    const FrameJob& job_;
    BlockPlanner planner_;
    CandidateSearch search_;
    std::optional<RepeatFinder> blockRepeats_, quarterRepeats_;  // intra frames only
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
    const int blockRows = job.targetPlanes.rows / 8;
    SourceRepeats repeats;
    if (job.planner.intra) {
        repeats.blocks.compute(job.planner.source);
        repeats.quarters.compute(job.planner.source);
    }
    Wavefront wavefront(blockRows, kBlocksPerRow, kRowLead);
    const int workers = wavefront.usefulWorkers(job.settings.threads);
    if (workers == 1) {
        BlockCoder coder(job, repeats);
        for (int y = 0; y < job.targetPlanes.rows; y += 8) {
            coder.startRow(y);
            for (int x = 0; x < kWidth; x += 8) coder.codeBlock({x, y}, streams);
        }
        return;
    }
    // Each row into streams of its own, joined in order at the end.
    std::vector<FrameStreams> rowStreams(static_cast<size_t>(blockRows));
    std::vector<std::unique_ptr<BlockCoder>> coders;
    for (int worker = 0; worker < workers; ++worker) coders.push_back(std::make_unique<BlockCoder>(job, repeats));
    wavefront.run(workers, [&](int worker, int row, int column) {
        BlockCoder& coder = *coders[size_t(worker)];
        if (column == 0) coder.startRow(8 * row);
        coder.codeBlock({8 * column, 8 * row}, rowStreams[size_t(row)]);
    });
    for (const FrameStreams& row : rowStreams) streams.append(row);
}

}  // namespace encoder

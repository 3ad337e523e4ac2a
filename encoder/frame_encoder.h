#pragma once
// One frame's block loop: for each 8x8 block in the decoder's order, find
// candidate copy sources, plan the block by rate and distortion, write it and
// bring the decoded picture and its planes up to date. With settings.threads
// above 1, block rows are coded side by side, each far enough behind the row
// above that it sees what it would see coded after it; the bytes are the same.

#include <vector>

#include "encoder/block_planner.h"
#include "encoder/block_writer.h"
#include "encoder/candidate_search.h"

namespace encoder {

struct EncoderSettings;

// Per block, the displacement of its best source in each picture; the next
// blocks and the next frame start their searches from them.
struct MotionField {
    std::vector<Point> reference;
    std::vector<Point> target;

    void reset(size_t blocks);
};

struct FrameJob {
    const PlannerContext& planner;
    const WriterContext& writer;
    const PixelExpander& expander;
    const EncoderSettings& settings;
    RgbPlanes& targetPlanes;  // kept up to date with writer.target
    const MotionField& previousMotion;
    MotionField& motion;
};

void encodeFrame(const FrameJob& job, FrameStreams& streams);

}  // namespace encoder

// The block census counts what the decoder walks: after the codes of one
// block, the next block's code is read from the right bit and its vector
// words from the right word. The frames are ones the decoder decodes whole:
// their copies stay inside the picture and their DCT blocks have
// coefficients.

#include "tools/vk6/block_census.h"

#include <gtest/gtest.h>

#include <string>

#include "format/frame_summary.h"
#include "tests/decoder/copy_video.h"
#include "tests/decoder/frame_builder.h"

namespace vk6 {
namespace {

using decoder::test::farWord;
using decoder::test::FrameBuilder;
using decoder::test::nearWord;

using enum BlockShape;
using enum BlockAction;

struct Expected {
    BlockShape shape;
    BlockAction action;
    uint64_t count;
};

// The census holds these counts and no others.
void expectCounts(const BlockCensus& census, std::initializer_list<Expected> expected) {
    BlockCensus wanted;
    for (const Expected& e : expected) wanted.count(e.shape, e.action) = e.count;
    EXPECT_EQ(census.counts, wanted.counts);
}

TEST(BlockCensus, PredictedSplitsDownToCells) {
    FrameBuilder frame;
    frame.control.code("100 00 11");        // 8x4 halves: spiral, still
    frame.control.code("1110");             // quarters:
    frame.control.code("111 0 10 11 10");   // cells: spiral, near copy, still, near copy
    frame.control.code("01 000");           // a far copy in mode 0
    frame.control.code("100");              // still
    frame.control.code("110 0 111 11 11");  // 2x4 strips: spiral; cells still, still
    frame.vector(nearWord(2015, 3));
    frame.vector(nearWord(831, 5, 1));
    frame.vector(farWord(128, 64));
    for (int block = 2; block < 80; ++block) {
        frame.control.code("011");
        frame.dcBlock(0);
    }
    const auto bytes = frame.build(40);
    const BlockCensus census = countBlocks(bytes, 8);
    // clang-format off
    expectCounts(census, {{S8x8, Split, 2}, {S8x8, Dct, 78},
                          {S8x4, Spiral, 1}, {S8x4, Still, 1},
                          {S4x4, Split, 2}, {S4x4, CopyReference, 1}, {S4x4, Still, 1},
                          {S2x4, Spiral, 1}, {S2x4, Split, 1},
                          {S2x2, Spiral, 1}, {S2x2, CopyReference, 1}, {S2x2, CopyTarget, 1}, {S2x2, Still, 3}});
    // clang-format on
    EXPECT_EQ(census.copyModes, (std::array<uint64_t, 8>{1, 0, 0, 1, 0, 1, 0, 0}));
}

TEST(BlockCensus, IntraQuartersStripsAndCells) {
    FrameBuilder frame;
    frame.control.code("10");                 // quarters:
    frame.control.code("01 0 0");             // 4x2 strips, a near copy each
    frame.control.code("00 11 00 01 00 10");  // internal 4x4 copies, 2 mode bits each
    for (int word = 0; word < 2; ++word) frame.vector(nearWord(831, 7));
    frame.vector(farWord(128, 4, 1));  // mode 7: the bits 11 and bit 15
    frame.vector(farWord(128, 4, 0));  // mode 2
    frame.vector(farWord(128, 4, 1));  // mode 5
    frame.control.code("111 01");      // an internal 8x8 copy in mode 2
    frame.vector(farWord(128, 0));
    frame.control.code("01 1 00");      // 4x8 halves: an internal copy in mode 0,
    frame.control.code("0 11 10 0 1");  // then quarters: 4 cells; 2x4 strips: a copy, 2 cells
    frame.vector(farWord(128, 4));
    for (int word = 0; word < 4; ++word) frame.vector(nearWord(831, 0));
    for (int word = 0; word < 3; ++word) frame.vector(nearWord(831, 1));
    for (int block = 3; block < 80; ++block) {
        frame.control.code("110");
        frame.dcBlock(0);
    }
    const auto bytes = frame.build(-40);
    const BlockCensus census = countBlocks(bytes, 2);
    // clang-format off
    expectCounts(census, {{S8x8, Dct, 77}, {S8x8, Split, 2}, {S8x8, CopyTarget, 1},
                          {S4x8, CopyTarget, 1}, {S4x8, Split, 1},
                          {S4x4, CopyTarget, 3}, {S4x4, Split, 3},
                          {S4x2, CopyTarget, 2},
                          {S2x4, CopyTarget, 1}, {S2x4, Split, 1},
                          {S2x2, CopyTarget, 6}});
    // clang-format on
    EXPECT_EQ(census.copyModes, (std::array<uint64_t, 8>{5, 3, 2, 0, 0, 1, 0, 3}));
}

TEST(BlockCensus, StopsAtTheUnassignedCodeOrWhereItIsTold) {
    FrameBuilder frame;
    frame.control.code("110 110 1111 110");
    const auto bytes = frame.build(10);
    EXPECT_EQ(countBlocks(bytes, 8).count(S8x8, Still), 2u);
    EXPECT_EQ(countBlocks(bytes, 8, 1).count(S8x8, Still), 1u);
    EXPECT_EQ(countBlocks(bytes, 8, 0).count(S8x8, Still), 0u);
}

// Every piece shape has `actions`, all but cells are split as well, whole
// blocks are DCT blocks too, and the copies take every symmetry.
void expectEveryShape(const BlockCensus& census, std::initializer_list<BlockAction> actions, const std::string& what) {
    for (size_t shape = 0; shape < kShapeNames.size(); ++shape) {
        const auto expectSome = [&](BlockAction action) {
            EXPECT_GT(census.counts[shape][size_t(action)], 0u)
                << what << ": " << kShapeNames[shape] << " " << kActionNames[size_t(action)];
        };
        for (BlockAction action : actions) expectSome(action);
        if (BlockShape(shape) != S2x2) expectSome(Split);
        if (BlockShape(shape) == S8x8) expectSome(Dct);
    }
    for (size_t mode = 0; mode < census.copyModes.size(); ++mode)
        EXPECT_GT(census.copyModes[mode], 0u) << what << ": mode " << mode;
}

// The videos that compare decoders hold every code of both trees at every
// height they are made for.
TEST(BlockCensus, CopyVideosHoldEveryCode) {
    for (int height : {2, 8, 16, 40, 270, 480}) {
        BlockCensus intra, predicted;
        for (const auto& frame : decoder::test::copyVideo(16, height, 5, unsigned(height)).frames)
            (format::summariseFrame(frame).intra ? intra : predicted) += countBlocks(frame, height);
        expectEveryShape(intra, {CopyTarget}, std::to_string(height) + " rows, intra");
        expectEveryShape(predicted, {Still, Spiral, CopyReference, CopyTarget},
                         std::to_string(height) + " rows, predicted");
    }
}

TEST(FrameSummary, StreamsEndWhereTheNextBegins) {
    FrameBuilder frame;
    frame.control.code("110");
    frame.vector(1);
    frame.spiral(2);
    frame.dcBlock(1);
    auto bytes = frame.build(-7);
    format::FrameSummary summary = format::summariseFrame(bytes);
    EXPECT_TRUE(summary.intra);
    EXPECT_EQ(summary.quality, 7);
    // Each stream and its 4 spare bytes; 9 nibbles in 5 bytes.
    EXPECT_EQ(summary.streamSizes, (std::array<int64_t, 4>{8, 6, 7, 5}));
    bytes[8] = 0xFF;  // the vector stream's offset past the frame: control bits run on to the spiral indices
    summary = format::summariseFrame(bytes);
    EXPECT_EQ(summary.streamSizes[1], -1);
    EXPECT_EQ(summary.streamSizes[0], 8 + 6);
}

}  // namespace
}  // namespace vk6

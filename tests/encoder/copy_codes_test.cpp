// The spiral index or vector word the encoder picks for a source makes the
// decoder copy exactly that source, for every piece of a block, from either
// picture, with every symmetry, including sources reached by column wrap.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>

#include "decoder/vk6_internal.h"
#include "encoder/block_writer.h"
#include "encoder/colour_mapping.h"

namespace encoder {
namespace {

constexpr int kRows = 480;

// Every piece still, except `piece` and the splits that lead to it.
BlockPlan planFor(int piece, const PieceAction& action) {
    BlockPlan plan;
    plan.actions.fill(PieceAction{format::Choice::Still});
    const format::Level level = format::kBlockPieces[piece].level;
    if (level == format::Level::Half8x4) plan.actions[0].choice = format::Choice::SplitHalves8x4;
    if (level == format::Level::Half4x8) plan.actions[0].choice = format::Choice::SplitHalves4x8;
    if (level >= format::Level::Quarter) plan.actions[0].choice = format::Choice::SplitQuarters;
    if (level >= format::Level::Strip4x2) {
        const int quarter = level == format::Level::Cell       ? (piece - kFirstCell) / 4
                            : level == format::Level::Strip4x2 ? (piece - kFirstStrip4x2) / 2
                                                               : (piece - kFirstStrip2x4) / 2;
        plan.actions[kFirstQuarter + quarter].choice = level == format::Level::Cell ? format::Choice::SplitCells
                                                       : level == format::Level::Strip4x2
                                                           ? format::Choice::SplitStrips4x2
                                                           : format::Choice::SplitStrips2x4;
    }
    plan.actions[piece] = action;
    return plan;
}

class CopyCodesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::mt19937 random(3);
        reference_.resize(size_t(kRows) * 640);
        for (uint16_t& pixel : reference_) pixel = uint16_t(random());
        ASSERT_TRUE(decoder_.init(16, kRows, 640, "XQM6"));
        decoder::buildChromaTables(colour_);
        decoder::buildColourTables(decoder::PixelFormat::Rgb565, colour_);
    }

    // Codes a predicted frame of still blocks with `plan` at `block`, checks
    // that the decoder agrees with the encoder's picture and returns it.
    std::vector<uint16_t> codeFrame(Point block, const BlockPlan& plan) {
        const ColourMapping mapping(16);
        const DctCoder dct(mapping, 75, 64);
        std::vector<uint16_t> encoded(reference_.size()), decoded(reference_.size());
        const WriterContext context{
            false,         dct, decoder::kernelsFor(decoder::KernelLevel::Reference), colour_, reference_.data(),
            encoded.data()};
        FrameStreams streams;
        BlockWriter writer(context, streams);
        BlockPlan still;
        still.actions[0] = PieceAction{format::Choice::Still};
        for (int y = 0; y < kRows; y += 8)
            for (int x = 0; x < 640; x += 8) writer.write({x, y}, Point{x, y} == block ? plan : still);
        const std::vector<uint8_t> frame = streams.assemble(75);
        EXPECT_TRUE(decoder_.decodeFrame(frame.data(), frame.size(), reference_.data(), decoded.data()));
        EXPECT_EQ(decoded, encoded);
        return decoded;
    }

    std::vector<uint16_t> reference_;
    decoder::Decoder decoder_;
    decoder::ColourTables colour_{};
    CopyCodes codes_;
};

TEST_F(CopyCodesTest, EveryPieceIsCopiedFromTheSourceItsCodeNames) {
    std::mt19937 random(11);
    int copies = 0;
    for (int trial = 0; trial < 400; ++trial) {
        const int piece = int(random() % format::kPieces);
        const format::Piece& shape = format::kBlockPieces[piece];
        const Point block{int(random() % 3) * 316 / 8 * 8, 240};  // columns 0, 312 and 632
        const Point corner{block.x + shape.x, block.y + shape.y};
        const int kind = int(random() % 3);  // spiral, vector from the previous picture, from the new one
        const int mode = kind == 0 ? 0 : int(random() % 8);
        const format::ShapeSize size = format::sourceSize(shape.shape, mode);
        // Sources above the block row are decoded (still copies of the reference) already.
        const int lowest = kind == 2 ? 240 - size.height : kRows - size.height;
        // Near the piece, columns taken round the picture's width (the far words' wrap).
        const int reach = format::usesFarVector(shape.level) ? 128 : 40;
        Point source;
        std::optional<uint16_t> code;
        for (int draw = 0; draw < 50 && !code; ++draw) {
            const int column = (corner.x + int(random() % (2 * reach + 1)) - reach + 640) % 640;
            source = {std::min(column, 640 - size.width),
                      std::min(lowest, corner.y + int(random() % (reach + 1)) - reach / 2)};
            code = kind == 0 ? codes_.spiralIndex(corner, source)
                             : codes_.vectorWord(false, shape.level, block, source, kind == 2, mode);
        }
        if (!code) continue;
        PieceAction action{kind == 0 ? format::Choice::Spiral : format::Choice::Vector, kind == 2, uint8_t(mode),
                           source, 0};
        action.code = *code;
        ++copies;
        const std::vector<uint16_t> picture = codeFrame(block, planFor(piece, action));
        for (int y = 0; y < shape.height; ++y)
            for (int x = 0; x < shape.width; ++x) {
                const format::SourcePixel from = format::sourcePixel(mode, x, y, shape.width, shape.height);
                ASSERT_EQ(picture[size_t(corner.y + y) * 640 + corner.x + x],
                          reference_[size_t(source.y + from.y) * 640 + source.x + from.x])
                    << "piece " << piece << " kind " << kind << " mode " << mode;
            }
    }
    EXPECT_GT(copies, 300);
}

TEST_F(CopyCodesTest, SourcesOutOfReachHaveNoCode) {
    const Point block{320, 240};
    EXPECT_FALSE(codes_.spiralIndex(block, {block.x + 33, block.y}));
    EXPECT_FALSE(codes_.spiralIndex(block, {block.x, block.y - 32}));
    EXPECT_TRUE(codes_.spiralIndex(block, {block.x + 32, block.y - 31}));
    // Far words reach 64 rows down in the previous picture, none below the block in the new one.
    EXPECT_TRUE(codes_.vectorWord(false, format::Level::Block8x8, block, {block.x, block.y + 64}, false, 0));
    EXPECT_FALSE(codes_.vectorWord(false, format::Level::Block8x8, block, {block.x, block.y + 65}, false, 0));
    EXPECT_FALSE(codes_.vectorWord(false, format::Level::Block8x8, block, {block.x, block.y + 1}, true, 0));
    EXPECT_FALSE(codes_.vectorWord(true, format::Level::Block8x8, block, {block.x, block.y}, false, 0));
    // Near words into the new picture reach 25 rows up and 64 columns left.
    EXPECT_TRUE(codes_.vectorWord(true, format::Level::Cell, block, {block.x - 64, block.y - 25}, true, 7));
    EXPECT_FALSE(codes_.vectorWord(true, format::Level::Cell, block, {block.x - 65, block.y}, true, 0));
}

}  // namespace
}  // namespace encoder

#include "tests/decoder/copy_video.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>

#include "decoder/vk6_internal.h"
#include "encoder/block_writer.h"
#include "encoder/colour_mapping.h"
#include "encoder/copy_codes.h"
#include "encoder/dct_coder.h"
#include "stream/stream_format.h"

namespace decoder::test {

namespace {

using encoder::Point;
using format::Choice;

constexpr int kWidth = format::kPictureWidth;

// Plans every block of a frame at random and writes it with the encoder's
// block writer, which also applies it to the picture being decoded.
class CopyVideoMaker {
public:
    CopyVideoMaker(int pixelType, int height, unsigned seed)
        : random_(seed), mapping_(pixelType), rows_(int(format::pictureRows(uint16_t(height)))) {
        decoder::buildChromaTables(*colour_);
        decoder::buildColourTables(decoder::PixelFormat(pixelType), *colour_);
    }

    int rows() const { return rows_; }
    std::vector<uint8_t> frame(bool intra, const uint16_t* reference, uint16_t* target);

private:
    int between(int low, int high) { return low + int(random_() % uint32_t(high - low + 1)); }
    void planPiece(bool intra, Point block, int piece, encoder::BlockPlan& plan);
    void planDct(encoder::DctBlock& dct);
    template <typename CodeFor>
    void placeSource(Point anchor, format::ShapeSize size, encoder::PieceAction& action, CodeFor codeFor);

    std::mt19937 random_;
    encoder::ColourMapping mapping_;
    encoder::CopyCodes codes_;
    std::unique_ptr<decoder::ColourTables> colour_ = std::make_unique<decoder::ColourTables>();
    int rows_;
};

std::vector<uint8_t> CopyVideoMaker::frame(bool intra, const uint16_t* reference, uint16_t* target) {
    const int quality = between(1, 100);
    const encoder::DctCoder dct(mapping_, quality, 0);
    const encoder::WriterContext context{intra, dct, decoder::defaultKernels(), *colour_, intra ? nullptr : reference,
                                         target};
    encoder::FrameStreams streams;
    encoder::BlockWriter writer(context, streams);
    for (int y = 0; y < rows_; y += 8)
        for (int x = 0; x < kWidth; x += 8) {
            encoder::BlockPlan plan{};
            planPiece(intra, {x, y}, 0, plan);
            writer.write({x, y}, plan);
        }
    return streams.assemble(intra ? -quality : quality);
}

// Any choice the frame kind's code tree has at the piece's level, equally likely.
void CopyVideoMaker::planPiece(bool intra, Point block, int p, encoder::BlockPlan& plan) {
    const format::Piece& piece = format::kBlockPieces[p];
    std::vector<format::Choice> choices;
    for (int c = 0; c < format::kChoices; ++c)
        if (format::choiceCode(intra, piece.level, format::Choice(c)).length >= 0) choices.push_back(format::Choice(c));
    encoder::PieceAction& action = plan.actions[p];
    action.choice = choices[size_t(between(0, int(choices.size()) - 1))];
    const format::SplitParts parts = format::splitParts(p, action.choice);
    for (int i = 0; i < parts.count; ++i) planPiece(intra, block, parts.pieces[i], plan);

    const Point corner{block.x + piece.x, block.y + piece.y};
    switch (action.choice) {
        case format::Choice::Dct: return planDct(plan.dct);
        case format::Choice::Spiral:
            return placeSource(corner, format::kShapeSizes[piece.shape], action,
                               [&](Point source) { return codes_.spiralIndex(corner, source); });
        case format::Choice::Vector:
            action.fromTarget = intra || between(0, 1) == 1;
            action.mode = uint8_t(between(0, 7));
            return placeSource(block, format::sourceSize(piece.shape, action.mode), action, [&](Point source) {
                return codes_.vectorWord(intra, piece.level, block, source, action.fromTarget, action.mode);
            });
        default: return;  // still, or split
    }
}

void CopyVideoMaker::planDct(encoder::DctBlock& dct) {
    for (encoder::ComponentLevels& levels : dct.levels) {
        levels.fill(0);
        levels[0] = int16_t(between(-100, 100));
        for (int count = between(0, 6); count > 0; --count) levels[size_t(between(1, 63))] = int16_t(between(-30, 30));
    }
    encoder::fitWindowHeadroom(dct);
}

// Draws source regions inside the picture buffer until one has a code: three
// draws in four close to the anchor (where copies from the new picture meet
// the edge of its decoded part), the others anywhere in the buffer.
template <typename CodeFor>
void CopyVideoMaker::placeSource(Point anchor, format::ShapeSize size, encoder::PieceAction& action, CodeFor codeFor) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
        int top = 0, bottom = rows_ - size.height, left = 0, right = kWidth - size.width;
        if (between(0, 3) != 0) {
            top = std::max(top, anchor.y - 8);
            bottom = std::min(bottom, anchor.y + 8);
            left = std::max(left, anchor.x - 16);
            right = std::min(right, anchor.x + 16);
        }
        const Point source{between(left, right), between(top, bottom)};
        if (const std::optional<uint16_t> code = codeFor(source)) {
            action.source = source;
            action.code = *code;
            return;
        }
    }
    throw std::logic_error("copy video: no source within reach");
}

}  // namespace

CopyVideo copyVideo(int pixelType, int height, int frameCount, unsigned seed) {
    CopyVideoMaker maker(pixelType, height, seed);
    const size_t pixels = size_t(maker.rows()) * kWidth;
    std::vector<uint16_t> buffers[2] = {std::vector<uint16_t>(pixels), std::vector<uint16_t>(pixels)};
    CopyVideo video;
    for (int number = 0; number < frameCount; ++number) {
        std::vector<uint16_t>& target = buffers[number % 2];
        video.frames.push_back(maker.frame(number % 3 == 0, buffers[(number + 1) % 2].data(), target.data()));
        video.pictures.push_back(target);
    }
    return video;
}

}  // namespace decoder::test

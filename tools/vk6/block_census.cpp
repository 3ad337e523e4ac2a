#include "tools/vk6/block_census.h"

#include <vector>

#include "decoder/vk6_internal.h"

namespace vk6 {

namespace {

static_assert(int(BlockShape::S8x8) == int(format::Level::Block8x8) &&
              int(BlockShape::S2x2) == int(format::Level::Cell));

// Counts each piece the decoder tells of into the block's counts, and a
// block's counts into the census once the block is done.
class CensusObserver : public decoder::BlockWalkObserver {
public:
    explicit CensusObserver(int blocks) : blocksLeft_(blocks) {}

    void piece(int piece, format::Choice choice, int mode, bool fromTarget) override {
        const auto shape = BlockShape(format::kBlockPieces[size_t(piece)].level);
        block_.count(shape, actionOf(choice, fromTarget))++;
        if (choice == format::Choice::Vector) ++block_.copyModes[size_t(mode) & 7];
    }

    void blockDone() override {
        if (blocksLeft_ > 0) {
            census += block_;
            --blocksLeft_;
        }
        block_ = {};
    }

    BlockCensus census;

private:
    static BlockAction actionOf(format::Choice choice, bool fromTarget) {
        switch (choice) {
            case format::Choice::Still: return BlockAction::Still;
            case format::Choice::Spiral: return BlockAction::Spiral;
            case format::Choice::Vector: return fromTarget ? BlockAction::CopyTarget : BlockAction::CopyReference;
            case format::Choice::Dct: return BlockAction::Dct;
            default: return BlockAction::Split;
        }
    }

    BlockCensus block_;
    int blocksLeft_;
};

}  // namespace

BlockCensus& BlockCensus::operator+=(const BlockCensus& other) {
    for (size_t shape = 0; shape < counts.size(); ++shape)
        for (size_t action = 0; action < counts[shape].size(); ++action)
            counts[shape][action] += other.counts[shape][action];
    for (size_t mode = 0; mode < copyModes.size(); ++mode) copyModes[mode] += other.copyModes[mode];
    return *this;
}

BlockCensus countBlocks(std::span<const uint8_t> frame, int height, int blocks) {
    CensusObserver observer(blocks);
    decoder::Decoder decoder;
    if (!decoder.init(int32_t(format::PixelType::Rgb565), height, format::kPictureWidth, "XQM6")) return {};
    const size_t pixels = size_t(decoder.pictureRows()) * format::kPictureWidth;
    std::vector<uint16_t> reference(pixels), target(pixels);
    decoder.setBlockObserver(&observer);
    decoder.decodeFrame(frame.data(), frame.size(), reference.data(), target.data());
    return observer.census;
}

}  // namespace vk6

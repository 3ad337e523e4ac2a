#include "block_census.h"

#include <algorithm>

#include "pipeline/frame_header.h"
#include "pipeline/streams.h"

namespace vk6tool {

namespace {

using Shape = BlockShape;
using Action = BlockAction;

// Walks one frame; each method consumes the codes of one piece and the vector
// words of its copies, as the decoder does. Reads past the frame give zeros,
// so the walk always ends with the last block.
class CensusWalk {
public:
    CensusWalk(const vk6::FrameBytes& bytes, const vk6::FrameHeader& header) {
        control_.start(bytes, header.controlOffset);
        vectors_.start(bytes, header.vectorOffset);
    }

    bool predictedBlock();
    bool intraBlock();
    BlockCensus census;

private:
    void count(Shape shape, Action action) { ++census.count(shape, action); }
    void copy(Shape shape, uint32_t mode, bool fromTarget) {
        count(shape, fromTarget ? Action::CopyTarget : Action::CopyReference);
        ++census.copyModes[mode & 7];
    }
    // Far vectors: predicted copies read 3 mode bits; internal copies 2 bits
    // and the vector word's top bit.
    void predictedFarCopy(Shape shape) {
        const uint32_t mode = control_.bits(3);
        copy(shape, mode, (vectors_.next() >> 15) != 0);
    }
    void intraFarCopy(Shape shape) {
        const uint32_t high = control_.bits(2);
        copy(shape, (high << 1) | (vectors_.next() >> 15), true);
    }
    // Near vectors carry their mode in bits 12-14.
    void nearCopy(Shape shape, bool intra) {
        const uint32_t word = vectors_.next();
        copy(shape, word >> 12, intra || (word >> 15) != 0);
    }

    void predictedHalf(Shape shape);
    void predictedQuarter();
    void predictedStrip(Shape shape);
    void predictedCell();
    void intraHalf(Shape shape);
    void intraQuarter();
    void intraStrip(Shape shape);

    vk6::ControlBitReader control_;
    vk6::VectorWordReader vectors_;
};

bool CensusWalk::predictedBlock() {
    if (!control_.bit()) {
        if (!control_.bit()) count(Shape::S8x8, Action::Spiral);     // 00
        else if (control_.bit()) count(Shape::S8x8, Action::Dct);    // 011
        else predictedFarCopy(Shape::S8x8);                           // 010
        return true;
    }
    if (!control_.bit()) {
        const Shape half = control_.bit() ? Shape::S4x8 : Shape::S8x4;  // 101, 100
        count(Shape::S8x8, Action::Split);
        predictedHalf(half);
        predictedHalf(half);
        return true;
    }
    if (!control_.bit()) {  // 110
        count(Shape::S8x8, Action::Still);
        return true;
    }
    if (control_.bit()) return false;  // 1111 is not a code
    count(Shape::S8x8, Action::Split);  // 1110
    for (int quarter = 0; quarter < 4; ++quarter) predictedQuarter();
    return true;
}

void CensusWalk::predictedHalf(Shape shape) {
    switch (control_.bits(2)) {
        case 0: return count(shape, Action::Spiral);
        case 1: return predictedFarCopy(shape);
        case 2:
            count(shape, Action::Split);
            predictedQuarter();
            return predictedQuarter();
        default: return count(shape, Action::Still);
    }
}

void CensusWalk::predictedQuarter() {
    if (!control_.bit()) {
        if (control_.bit()) return predictedFarCopy(Shape::S4x4);
        return count(Shape::S4x4, Action::Spiral);
    }
    const uint32_t code = control_.bits(2);
    if (code == 0) return count(Shape::S4x4, Action::Still);
    count(Shape::S4x4, Action::Split);
    if (code == 3) {
        for (int cell = 0; cell < 4; ++cell) predictedCell();
        return;
    }
    const Shape strip = code == 1 ? Shape::S4x2 : Shape::S2x4;
    predictedStrip(strip);
    predictedStrip(strip);
}

void CensusWalk::predictedStrip(Shape shape) {
    if (!control_.bit()) return count(shape, Action::Spiral);
    if (!control_.bit()) return nearCopy(shape, false);
    if (!control_.bit()) return count(shape, Action::Still);
    count(shape, Action::Split);
    predictedCell();
    predictedCell();
}

void CensusWalk::predictedCell() {
    if (!control_.bit()) return count(Shape::S2x2, Action::Spiral);
    if (control_.bit()) return count(Shape::S2x2, Action::Still);
    nearCopy(Shape::S2x2, false);
}

bool CensusWalk::intraBlock() {
    const uint32_t code = control_.bits(2);
    if (code == 3) {
        if (control_.bit()) intraFarCopy(Shape::S8x8);
        else count(Shape::S8x8, Action::Dct);
        return true;
    }
    count(Shape::S8x8, Action::Split);
    if (code == 2) {
        for (int quarter = 0; quarter < 4; ++quarter) intraQuarter();
        return true;
    }
    const Shape half = code == 0 ? Shape::S8x4 : Shape::S4x8;
    intraHalf(half);
    intraHalf(half);
    return true;
}

void CensusWalk::intraHalf(Shape shape) {
    if (control_.bit()) return intraFarCopy(shape);
    count(shape, Action::Split);
    intraQuarter();
    intraQuarter();
}

void CensusWalk::intraQuarter() {
    const uint32_t code = control_.bits(2);
    if (code == 0) return intraFarCopy(Shape::S4x4);
    count(Shape::S4x4, Action::Split);
    if (code == 3) {
        for (int cell = 0; cell < 4; ++cell) nearCopy(Shape::S2x2, true);
        return;
    }
    const Shape strip = code == 1 ? Shape::S4x2 : Shape::S2x4;
    intraStrip(strip);
    intraStrip(strip);
}

void CensusWalk::intraStrip(Shape shape) {
    if (!control_.bit()) return nearCopy(shape, true);
    count(shape, Action::Split);
    nearCopy(Shape::S2x2, true);
    nearCopy(Shape::S2x2, true);
}

}  // namespace

BlockCensus& BlockCensus::operator+=(const BlockCensus& other) {
    for (size_t shape = 0; shape < counts.size(); ++shape)
        for (size_t action = 0; action < counts[shape].size(); ++action)
            counts[shape][action] += other.counts[shape][action];
    for (size_t mode = 0; mode < copyModes.size(); ++mode) copyModes[mode] += other.copyModes[mode];
    return *this;
}

BlockCensus countBlocks(std::span<const uint8_t> frame, int height, int blocks) {
    const vk6::FrameBytes bytes(frame.data(), int64_t(frame.size()));
    const vk6::FrameHeader header = vk6::readFrameHeader(bytes);
    CensusWalk walk(bytes, header);
    const int blockRows = height > 8 ? (height + 7) / 8 : 1;
    for (int block = 0; block < std::min(80 * blockRows, blocks); ++block)
        if (!(header.isIntra() ? walk.intraBlock() : walk.predictedBlock())) break;
    return walk.census;
}

}  // namespace vk6tool

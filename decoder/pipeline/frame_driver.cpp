#include "pipeline/frame_driver.h"

#include <cstring>
#include <limits>

#include "pipeline/coefficient_decoder.h"

namespace vk6 {

namespace {

constexpr int64_t kWidth = kPictureWidth;

// The piece's number inside its block as the code tree numbers it.
int pieceIndex(int group, int x, int y) {
    const int quarter = 2 * (y / 4) + x / 4;
    switch (group) {
        case Shape8x8: return 0;
        case Shape8x4: return y / 4;
        case Shape4x8: return x / 4;
        case Shape4x4: return quarter;
        case Shape4x2: return 2 * quarter + (y % 4) / 2;
        case Shape2x4: return 2 * quarter + (x % 4) / 2;
        default: return 4 * quarter + 2 * ((y % 4) / 2) + (x % 4) / 2;
    }
}

}  // namespace

FrameDriver::FrameDriver(DecoderState& state, const BlockKernels& kernels, FrameBytes bytes, int64_t picturePixels)
    : state_(state), kernels_(kernels), bytes_(bytes), picturePixels_(picturePixels) {}

bool FrameDriver::run(const uint16_t* reference, uint16_t* target) {
    report_ = {};
    header_ = readFrameHeader(bytes_);
    if (!header_.isIntra() && reference == nullptr) return failFrame(DecodeError::NoReference, 0);
    const bool bounded = bytes_.size() != FrameBytes::kUnknownSize;
    if (bounded) {
        if (const int word = misplacedHeaderWord()) return failFrame(DecodeError::HeaderOffset, 4 * word);
    }
    nibbleCells_ = bounded ? 2 * (int64_t{header_.nibbleEnd} - header_.nibbleOffset)
                           : std::numeric_limits<int64_t>::max();
    reference_ = reference;
    target_ = target;
    control_.start(bytes_, header_.controlOffset);
    vectors_.start(bytes_, header_.vectorOffset);
    spiral_.start(bytes_, header_.spiralOffset);
    buildDequantTables(header_.quality(), state_.dequant);
    state_.window.prime(bytes_, header_.nibbleOffset, header_.nibbleEnd);
    return header_.isIntra() ? decodeIntraFrame() : decodePredictedFrame();
}

bool FrameDriver::decodePredictedFrame() { return decodeBlockRows(&FrameDriver::predictedBlock); }

bool FrameDriver::decodeIntraFrame() { return decodeBlockRows(&FrameDriver::intraBlock); }

// The first block row is always decoded; the height test follows each row.
bool FrameDriver::decodeBlockRows(bool (FrameDriver::*decodeBlock)()) {
    for (blockY_ = 0;;) {
        for (blockX_ = 0; blockX_ < kPictureWidth; blockX_ += 8)
            if (!(this->*decodeBlock)() || (bytes_.readOutside() && streamsOverran())) return abandonBlock();
        blockY_ += 8;
        if (blockY_ >= state_.height) return true;
    }
}

// ---- checks and reports ----

int FrameDriver::misplacedHeaderWord() const {
    const int32_t offsets[] = {header_.controlOffset, header_.vectorOffset, header_.spiralOffset,
                               header_.nibbleOffset, header_.nibbleEnd};
    for (int i = 0; i < 5; ++i)
        if (offsets[i] < 0 || offsets[i] > bytes_.size()) return i + 1;
    return header_.nibbleEnd < header_.nibbleOffset ? 5 : 0;
}

// After a block whose readers reached outside the frame: the units they used,
// not those they loaded ahead, must lie in it. The nibble stream is checked
// after each DCT block.
bool FrameDriver::streamsOverran() const {
    const int64_t end = bytes_.size();
    return control_.usedEnd() > end || vectors_.usedEnd() > end || spiral_.usedEnd() > end;
}

bool FrameDriver::fail(DecodeError code, StreamId stream, int group, Corner piece) {
    report_.code = code;
    report_.stream = stream;
    if (group >= 0) {
        report_.pieceShape = 10 * kShapeSizes[group].width + kShapeSizes[group].height;
        report_.pieceIndex = pieceIndex(group, piece.x, piece.y);
    }
    return false;
}

bool FrameDriver::failFrame(DecodeError code, int64_t offset) {
    report_.code = code;
    report_.stream = StreamId::Header;
    report_.offset = offset;
    return false;
}

// A stream that ran past its end gave the block's later reads zeros, so it is
// the cause of whatever failed after it.
bool FrameDriver::abandonBlock() {
    const int64_t end = bytes_.size();
    const struct {
        bool overran;
        DecodeError code;
        StreamId stream;
    } overruns[] = {
        {control_.usedEnd() > end, DecodeError::ControlPastEnd, StreamId::Control},
        {vectors_.usedEnd() > end, DecodeError::VectorPastEnd, StreamId::Vector},
        {spiral_.usedEnd() > end, DecodeError::SpiralPastEnd, StreamId::Spiral},
        {state_.window.cellsRead() > nibbleCells_, DecodeError::NibblePastEnd, StreamId::Nibble},
    };
    for (const auto& overrun : overruns) {
        if (!overrun.overran) continue;
        report_ = {};
        fail(overrun.code, overrun.stream);
        break;
    }
    report_.x = blockX_;
    report_.y = int32_t(blockY_);
    report_.offset = lastUnit(report_.stream);
    return false;
}

int64_t FrameDriver::lastUnit(StreamId stream) const {
    switch (stream) {
        case StreamId::Control: return control_.lastUnit();
        case StreamId::Vector: return vectors_.lastUnit();
        case StreamId::Spiral: return spiral_.lastUnit();
        case StreamId::Nibble: return header_.nibbleOffset + (state_.window.cellsRead() - 1) / 2;
        default: return report_.offset;
    }
}

// ---- code tree of a predicted frame ----

bool FrameDriver::predictedBlock() {
    if (!control_.bit()) {
        if (!control_.bit()) return spiralCopy(Shape8x8, {0, 0});                           // 00
        return control_.bit() ? decodeDctBlock() : predictedFarCopy(Shape8x8, {0, 0});     // 011, 010
    }
    if (!control_.bit()) {
        if (control_.bit()) return predictedHalf4x8(0) && predictedHalf4x8(1);              // 101
        return predictedHalf8x4(0) && predictedHalf8x4(1);                                  // 100
    }
    if (!control_.bit()) return stillBlockRun();                                            // 110
    if (!control_.bit())                                                                     // 1110
        return predictedQuarter(0) && predictedQuarter(1) && predictedQuarter(2) && predictedQuarter(3);
    return fail(DecodeError::NotACode, StreamId::Control);
}

bool FrameDriver::predictedHalf8x4(int half) {
    const Corner corner{0, 4 * half};
    switch (control_.bits(2)) {
        case 0: return spiralCopy(Shape8x4, corner);
        case 1: return predictedFarCopy(Shape8x4, corner);
        case 2: return predictedQuarter(2 * half) && predictedQuarter(2 * half + 1);
        default: return stillCopy(Shape8x4, corner);
    }
}

bool FrameDriver::predictedHalf4x8(int half) {
    const Corner corner{4 * half, 0};
    switch (control_.bits(2)) {
        case 0: return spiralCopy(Shape4x8, corner);
        case 1: return predictedFarCopy(Shape4x8, corner);
        case 2: return predictedQuarter(half) && predictedQuarter(half + 2);
        default: return stillCopy(Shape4x8, corner);
    }
}

bool FrameDriver::predictedQuarter(int quarter) {
    const Corner corner = quarterCorner(quarter);
    if (!control_.bit()) {
        return control_.bit() ? predictedFarCopy(Shape4x4, corner) : spiralCopy(Shape4x4, corner);
    }
    switch (control_.bits(2)) {
        case 0: return stillCopy(Shape4x4, corner);
        case 1: return predictedStrip4x2(2 * quarter) && predictedStrip4x2(2 * quarter + 1);
        case 2: return predictedStrip2x4(2 * quarter) && predictedStrip2x4(2 * quarter + 1);
        default:
            return predictedCell(4 * quarter) && predictedCell(4 * quarter + 1) &&
                   predictedCell(4 * quarter + 2) && predictedCell(4 * quarter + 3);
    }
}

bool FrameDriver::predictedStrip4x2(int strip) {
    const Corner quarter = quarterCorner(strip >> 1);
    const Corner corner{quarter.x, quarter.y + 2 * (strip & 1)};
    if (!control_.bit()) return spiralCopy(Shape4x2, corner);
    if (!control_.bit()) return nearCopy(Shape4x2, corner, false);
    if (!control_.bit()) return stillCopy(Shape4x2, corner);
    return predictedCell(2 * strip) && predictedCell(2 * strip + 1);
}

bool FrameDriver::predictedStrip2x4(int strip) {
    const Corner quarter = quarterCorner(strip >> 1);
    const Corner corner{quarter.x + 2 * (strip & 1), quarter.y};
    if (!control_.bit()) return spiralCopy(Shape2x4, corner);
    if (!control_.bit()) return nearCopy(Shape2x4, corner, false);
    if (!control_.bit()) return stillCopy(Shape2x4, corner);
    const int cell = firstCellOfStrip2x4(strip);
    return predictedCell(cell) && predictedCell(cell + 2);
}

bool FrameDriver::predictedCell(int cell) {
    const Corner corner = cellCorner(cell);
    if (!control_.bit()) return spiralCopy(Shape2x2, corner);
    return control_.bit() ? stillCopy(Shape2x2, corner) : nearCopy(Shape2x2, corner, false);
}

// ---- code tree of an intra frame ----

bool FrameDriver::intraBlock() {
    switch (control_.bits(2)) {
        case 0: return intraHalf8x4(0) && intraHalf8x4(1);
        case 1: return intraHalf4x8(0) && intraHalf4x8(1);
        case 2: return intraQuarter(0) && intraQuarter(1) && intraQuarter(2) && intraQuarter(3);
        default: return control_.bit() ? intraFarCopy(Shape8x8, {0, 0}) : decodeDctBlock();
    }
}

bool FrameDriver::intraHalf8x4(int half) {
    if (control_.bit()) return intraFarCopy(Shape8x4, {0, 4 * half});
    return intraQuarter(2 * half) && intraQuarter(2 * half + 1);
}

bool FrameDriver::intraHalf4x8(int half) {
    if (control_.bit()) return intraFarCopy(Shape4x8, {4 * half, 0});
    return intraQuarter(half) && intraQuarter(half + 2);
}

bool FrameDriver::intraQuarter(int quarter) {
    switch (control_.bits(2)) {
        case 0: return intraFarCopy(Shape4x4, quarterCorner(quarter));
        case 1: return intraStrip4x2(2 * quarter) && intraStrip4x2(2 * quarter + 1);
        case 2: return intraStrip2x4(2 * quarter) && intraStrip2x4(2 * quarter + 1);
        default:
            for (int cell = 4 * quarter; cell < 4 * quarter + 4; ++cell)
                if (!nearCopy(Shape2x2, cellCorner(cell), true)) return false;
            return true;
    }
}

bool FrameDriver::intraStrip4x2(int strip) {
    const Corner quarter = quarterCorner(strip >> 1);
    if (!control_.bit()) return nearCopy(Shape4x2, {quarter.x, quarter.y + 2 * (strip & 1)}, true);
    return nearCopy(Shape2x2, cellCorner(2 * strip), true) && nearCopy(Shape2x2, cellCorner(2 * strip + 1), true);
}

bool FrameDriver::intraStrip2x4(int strip) {
    const Corner quarter = quarterCorner(strip >> 1);
    if (!control_.bit()) return nearCopy(Shape2x4, {quarter.x + 2 * (strip & 1), quarter.y}, true);
    const int cell = firstCellOfStrip2x4(strip);
    return nearCopy(Shape2x2, cellCorner(cell), true) && nearCopy(Shape2x2, cellCorner(cell + 2), true);
}

// ---- actions ----

FrameDriver::Corner FrameDriver::cellCorner(int cell) {
    const Corner quarter = quarterCorner(cell >> 2);
    const int r = cell & 3;
    return {quarter.x + 2 * (r & 1), quarter.y + 2 * (r >> 1)};
}

bool FrameDriver::decodeDctBlock() {
    CoefficientBlocks& blocks = state_.coefficients;
    const DecodeError error = decodeCoefficientBlocks(state_.window, state_.geometry, state_.dequant, blocks);
    if (error != DecodeError::None) return fail(error, StreamId::Nibble);
    if (state_.window.cellsRead() > nibbleCells_) return fail(DecodeError::NibblePastEnd, StreamId::Nibble);
    for (int component = 0; component < 3; ++component)
        kernels_.inverseDct(blocks.block(component), blocks.blockMask[component]);
    kernels_.convertToPixels(state_.colour, blocks, target_ + blockY_ * kWidth + blockX_);
    return true;
}

bool FrameDriver::stillCopy(int group, Corner piece) {
    const int64_t source = (blockY_ + piece.y) * kWidth + blockX_ + piece.x;
    return copy<StreamId::Control>(reference_, source, group, 0, piece);
}

// A still 8x8 block and the still 8x8 blocks that follow it in its block row
// are copied together, one wide copy per pixel row; blockX_ moves on to the
// last block of the run. When reference and target are one buffer the copy
// changes nothing; when they overlap otherwise, the order of the block copies
// decides the result, so the blocks are copied one by one.
bool FrameDriver::stillBlockRun() {
    const int blocks = 1 + control_.skipRepeats(0b110, 3, (kPictureWidth - blockX_) / 8 - 1);
    const int64_t corner = blockY_ * kWidth + blockX_;
    const int64_t extent = 7 * kWidth + 8 * blocks;
    const uintptr_t from = reinterpret_cast<uintptr_t>(reference_), to = reinterpret_cast<uintptr_t>(target_);
    const uintptr_t distance = from > to ? from - to : to - from;
    const bool inside = corner >= 0 && corner + extent <= picturePixels_;
    if (!inside || (distance != 0 && distance < uintptr_t(2 * extent))) {
        for (int block = 0; block < blocks; ++block, blockX_ += 8)
            if (!stillCopy(Shape8x8, {0, 0})) return false;
        blockX_ -= 8;
        return true;
    }
    if (distance != 0) {
        for (int row = 0; row < 8; ++row)
            std::memcpy(target_ + corner + row * kWidth, reference_ + corner + row * kWidth, 16 * size_t(blocks));
    }
    blockX_ += 8 * (blocks - 1);
    return true;
}

bool FrameDriver::spiralCopy(int group, Corner piece) {
    const int64_t corner = (blockY_ + piece.y) * kWidth + blockX_ + piece.x;
    return copy<StreamId::Spiral>(reference_, corner + state_.geometry.spiralOffsets[spiral_.next()], group, 0, piece);
}

bool FrameDriver::predictedFarCopy(int group, Corner piece) {
    const uint32_t mode = control_.bits(3);
    const uint32_t word = vectors_.next();
    return farCopy(group, piece, mode, word, (word >> 15) != 0);
}

bool FrameDriver::intraFarCopy(int group, Corner piece) {
    const uint32_t highBits = control_.bits(2);
    const uint32_t word = vectors_.next();
    return farCopy(group, piece, (highBits << 1) | (word >> 15), word, true);
}

// Far vectors are anchored at the 8x8 block's corner, whatever piece they place.
bool FrameDriver::farCopy(int group, Corner piece, uint32_t mode, uint32_t word, bool fromTarget) {
    const int vy = int(word & 0x7F), vx = int((word >> 7) & 0xFF);
    const int column = wrapColumn(blockX_ + 128 - vx);
    if (!fromTarget)
        return copy<StreamId::Vector>(reference_, (blockY_ + 64 - vy) * kWidth + column, group, mode, piece);
    const int above = group == Shape8x8 ? 0 : 4;
    return copy<StreamId::Vector>(target_, (blockY_ + above - vy) * kWidth + column, group, mode, piece);
}

// Near vectors are anchored at the 8x8 block's corner as well.
bool FrameDriver::nearCopy(int group, Corner piece, bool intra) {
    const uint32_t word = vectors_.next();
    const uint32_t index = word & 0xFFF, mode = (word >> 12) & 7;
    const int64_t corner = blockY_ * kWidth + blockX_;
    if (intra || (word >> 15) != 0)
        return copy<StreamId::Vector>(target_, corner + state_.geometry.intraNearOffsets[index], group, mode, piece);
    return copy<StreamId::Vector>(reference_, corner + state_.geometry.nearOffsets[index], group, mode, piece);
}

// The one bounds test of a copy: the source region, rows included, must lie in
// its picture buffer (it may run past a row's end into the next row, as the
// pixels lie in memory). Destinations always lie inside the target.
template <StreamId Stream>
bool FrameDriver::copy(const uint16_t* picture, int64_t sourceOffset, int group, uint32_t mode, Corner piece) {
    const ShapeSize source = sourceSize(group, int(mode));
    const int64_t last = sourceOffset + (source.height - 1) * kWidth + source.width;
    if (sourceOffset < 0 || last > picturePixels_) return fail(DecodeError::CopyOutside, Stream, group, piece);
    uint16_t* destination = target_ + (blockY_ + piece.y) * kWidth + blockX_ + piece.x;
    (*kernels_.copies)[8 * group + mode](picture + sourceOffset, destination);
    return true;
}

}  // namespace vk6

#include "decoder/pipeline/frame_driver.h"

#include <array>
#include <cstring>
#include <limits>

#include "decoder/pipeline/coefficient_decoder.h"

namespace decoder {

using format::DecodeError;
using format::kPictureWidth;
using format::ShapeSize;
using format::sourceSize;
using format::StreamId;
using enum format::CopyShape;

namespace {

using format::Choice;
using format::kBlockPieces;
using format::Level;

constexpr int64_t kWidth = kPictureWidth;

// The shape of every piece of a level.
constexpr int shapeOf(Level level) { return kBlockPieces[size_t(format::kFirstPiece[int(level)])].shape; }

// The parts of each piece of a level under a split, by the piece's number in
// its level.
template <Level AtLevel, Choice Split>
constexpr auto makeParts() {
    constexpr int first = format::kFirstPiece[int(AtLevel)];
    constexpr int pieces = (AtLevel == Level::Cell ? format::kPieces : format::kFirstPiece[int(AtLevel) + 1]) - first;
    std::array<std::array<int, 4>, pieces> parts{};
    for (int piece = 0; piece < pieces; ++piece) parts[size_t(piece)] = format::splitParts(first + piece, Split).pieces;
    return parts;
}
template <Level AtLevel, Choice Split>
constexpr auto kParts = makeParts<AtLevel, Split>();

// The eight pixel rows of `blocks` blocks side by side. Most runs of still
// blocks are short: their rows are copied a block's width at a time, inline,
// rather than through a call per row.
void copyBlockRows(const uint16_t* source, uint16_t* destination, int blocks) {
    if (blocks > 8) {
        for (int row = 0; row < 8; ++row)
            std::memcpy(destination + row * kPictureWidth, source + row * kPictureWidth, 16 * size_t(blocks));
        return;
    }
    for (int block = 0; block < blocks; ++block)
#pragma GCC unroll 8
        for (int row = 0; row < 8; ++row)
            std::memcpy(destination + row * kPictureWidth + 8 * block, source + row * kPictureWidth + 8 * block, 16);
}

}  // namespace

template <bool Observed>
FrameDriver<Observed>::FrameDriver(DecoderState& state, const BlockKernels& kernels, FrameBytes bytes,
                                   int64_t picturePixels, BlockWalkObserver* observer)
    : state_(state), kernels_(kernels), bytes_(bytes), picturePixels_(picturePixels), observer_(observer) {}

template <bool Observed>
bool FrameDriver<Observed>::run(const uint16_t* reference, uint16_t* target) {
    report_ = {};
    header_ = format::FrameHeader::fromWords([&](int index) { return bytes_.word32(4 * index); });
    if (!header_.isIntra() && reference == nullptr) return failFrame(DecodeError::NoReference, 0);
    const bool bounded = bytes_.size() != FrameBytes::kUnknownSize;
    if (bounded) {
        if (const int word = misplacedHeaderWord()) return failFrame(DecodeError::HeaderOffset, 4 * word);
    }
    nibbleCells_ =
        bounded ? 2 * (int64_t{header_.nibbleEnd} - header_.nibbleOffset) : std::numeric_limits<int64_t>::max();
    reference_ = reference;
    target_ = target;
    control_.start(bytes_, header_.controlOffset);
    vectors_.start(bytes_, header_.vectorOffset);
    spiral_.start(bytes_, header_.spiralOffset);
    // Frames of one video mostly share their quality.
    if (header_.quality() != state_.dequantQuality) {
        buildDequantTables(header_.quality(), state_.dequant);
        state_.dequantQuality = header_.quality();
    }
    state_.window.prime(bytes_, header_.nibbleOffset, header_.nibbleEnd);
    const uintptr_t from = reinterpret_cast<uintptr_t>(reference), to = reinterpret_cast<uintptr_t>(target);
    const uintptr_t bytes = 2 * uintptr_t(picturePixels_);
    disjoint_ = reference != nullptr && (from >= to ? from - to >= bytes : to - from >= bytes);
    const bool whole = header_.isIntra() ? decodeBlockRows<true>() : decodeBlockRows<false>();
    copyPendingStillRows();  // a failed frame keeps what was decoded before the failure
    return whole;
}

// The first block row is always decoded; the height test follows each row.
template <bool Observed>
template <bool Intra>
bool FrameDriver<Observed>::decodeBlockRows() {
    for (blockY_ = 0;;) {
        for (blockX_ = 0; blockX_ < kPictureWidth; blockX_ += 8) {
            if (!decodePiece<Intra, Level::Block8x8>(0) || (bytes_.readOutside() && streamsOverran()))
                return abandonBlock();
            observeBlockDone();
        }
        blockY_ += 8;
        if (blockY_ >= state_.height) return true;
    }
}

// ---- checks and reports ----

template <bool Observed>
int FrameDriver<Observed>::misplacedHeaderWord() const {
    const int32_t offsets[] = {header_.controlOffset, header_.vectorOffset, header_.spiralOffset, header_.nibbleOffset,
                               header_.nibbleEnd};
    for (int i = 0; i < 5; ++i)
        if (offsets[i] < 0 || offsets[i] > bytes_.size()) return i + 1;
    return header_.nibbleEnd < header_.nibbleOffset ? 5 : 0;
}

// After a block whose readers reached outside the frame: the units they used,
// not those they loaded ahead, must lie in it. The nibble stream is checked
// after each DCT block.
template <bool Observed>
bool FrameDriver<Observed>::streamsOverran() const {
    const int64_t end = bytes_.size();
    return control_.usedEnd() > end || vectors_.usedEnd() > end || spiral_.usedEnd() > end;
}

template <bool Observed>
bool FrameDriver<Observed>::fail(DecodeError code, StreamId stream, int piece) {
    report_.code = code;
    report_.stream = stream;
    if (piece >= 0) {
        report_.pieceShape = format::shapeNumber(kBlockPieces[size_t(piece)].shape);
        report_.pieceIndex = format::pieceNumber(piece);
    }
    return false;
}

template <bool Observed>
bool FrameDriver<Observed>::failFrame(DecodeError code, int64_t offset) {
    report_.code = code;
    report_.stream = StreamId::Header;
    report_.offset = offset;
    return false;
}

// A stream that ran past its end gave the block's later reads zeros, so it is
// the cause of whatever failed after it.
template <bool Observed>
bool FrameDriver<Observed>::abandonBlock() {
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

template <bool Observed>
int64_t FrameDriver<Observed>::lastUnit(StreamId stream) const {
    switch (stream) {
        case StreamId::Control: return control_.lastUnit();
        case StreamId::Vector: return vectors_.lastUnit();
        case StreamId::Spiral: return spiral_.lastUnit();
        case StreamId::Nibble: return header_.nibbleOffset + (state_.window.cellsRead() - 1) / 2;
        default: return report_.offset;
    }
}

// ---- the code tree ----

template <bool Observed>
template <bool Intra, Level AtLevel>
bool FrameDriver<Observed>::decodePiece(int piece) {
    // Called with the choice read, as a constant.
    const auto act = [&](auto read) {
        constexpr Choice choice = decltype(read)::value;
        constexpr int shape = shapeOf(AtLevel);
        if constexpr (choice == Choice::Still) {
            observe(piece, choice);
            if constexpr (AtLevel == Level::Block8x8)
                return stillBlockRun();
            else
                return stillCopy<shape>(piece);
        } else if constexpr (choice == Choice::Spiral) {
            observe(piece, choice);
            return spiralCopy<shape>(piece);
        } else if constexpr (choice == Choice::Vector) {
            if constexpr (!format::usesFarVector(AtLevel))
                return nearCopy<shape>(piece, Intra);
            else if constexpr (Intra)
                return intraFarCopy<shape>(piece);
            else
                return predictedFarCopy<shape>(piece);
        } else if constexpr (choice == Choice::Dct) {
            observe(piece, choice);
            return decodeDctBlock();
        } else if constexpr (format::isSplit(choice)) {
            return decodeParts<Intra, AtLevel, choice>(piece);
        } else {
            return fail(DecodeError::NotACode, StreamId::Control);
        }
    };
    return format::readChoice<Intra, AtLevel>([this] { return control_.bit(); }, act);
}

template <bool Observed>
template <bool Intra, Level AtLevel, Choice Split>
bool FrameDriver<Observed>::decodeParts(int piece) {
    observe(piece, Split);
    constexpr int count = format::splitParts(format::kFirstPiece[int(AtLevel)], Split).count;
    const std::array<int, 4>& parts = kParts<AtLevel, Split>[size_t(piece - format::kFirstPiece[int(AtLevel)])];
    for (int part = 0; part < count; ++part)
        if (!decodePiece<Intra, format::splitLevel(Split)>(parts[size_t(part)])) return false;
    return true;
}

// ---- actions ----

template <bool Observed>
bool FrameDriver<Observed>::decodeDctBlock() {
    CoefficientBlocks& blocks = state_.coefficients;
    const DecodeError error = kernels_.decodeCoefficients(state_.window, state_.geometry, state_.dequant, blocks);
    if (error != DecodeError::None) return fail(error, StreamId::Nibble);
    if (state_.window.cellsRead() > nibbleCells_) return fail(DecodeError::NibblePastEnd, StreamId::Nibble);
    reconstructDctBlock(kernels_, state_.colour, blocks, target_ + blockY_ * kWidth + blockX_);
    return true;
}

template <bool Observed>
template <int Shape>
bool FrameDriver<Observed>::stillCopy(int piece) {
    const format::Piece& p = kBlockPieces[size_t(piece)];
    const int64_t source = (blockY_ + p.y) * kWidth + blockX_ + p.x;
    return copy<StreamId::Control, Shape>(reference_, source, 0, piece);
}

// A still 8x8 block and the still 8x8 blocks that follow it in its block row
// are copied together, one wide copy per pixel row; blockX_ moves on to the
// last block of the run. When reference and target are one buffer the copy
// changes nothing; when they overlap otherwise, the order of the block copies
// decides the result, so the blocks are copied one by one.
template <bool Observed>
bool FrameDriver<Observed>::stillBlockRun() {
    constexpr format::Code still = format::choiceCode(false, Level::Block8x8, Choice::Still);
    const int blocks = 1 + control_.skipRepeats<still.bits, still.length>((kPictureWidth - blockX_) / 8 - 1);
    const int64_t corner = blockY_ * kWidth + blockX_;
    const int64_t extent = 7 * kWidth + 8 * blocks;
    const uintptr_t from = reinterpret_cast<uintptr_t>(reference_), to = reinterpret_cast<uintptr_t>(target_);
    const uintptr_t distance = from > to ? from - to : to - from;
    const bool inside = corner >= 0 && corner + extent <= picturePixels_;
    // Each block of the run after the first is a block of its own to an observer.
    auto observeNextBlock = [&] {
        observeBlockDone();
        observe(0, Choice::Still);
    };
    if (!inside || (distance != 0 && distance < uintptr_t(2 * extent))) {
        for (int block = 0; block < blocks; ++block, blockX_ += 8) {
            if (block > 0) observeNextBlock();
            if (!stillCopy<Shape8x8>(0)) return false;
        }
        blockX_ -= 8;
        return true;
    }
    if (distance != 0) {
        // A run across the whole width is eight whole rows, which join the
        // rows still before them into one span.
        if (8 * blocks == kWidth && disjoint_) {
            if (pendingEnd_ != corner) {
                copyPendingStillRows();
                pendingStart_ = corner;
            }
            pendingEnd_ = corner + 8 * kWidth;
        } else {
            copyBlockRows(reference_ + corner, target_ + corner, blocks);
        }
    }
    for (int block = 1; block < blocks; ++block) observeNextBlock();
    blockX_ += 8 * (blocks - 1);
    return true;
}

template <bool Observed>
template <int Shape>
bool FrameDriver<Observed>::spiralCopy(int piece) {
    const format::Piece& p = kBlockPieces[size_t(piece)];
    const int64_t corner = (blockY_ + p.y) * kWidth + blockX_ + p.x;
    return copy<StreamId::Spiral, Shape>(reference_, corner + state_.geometry.spiralOffsets[spiral_.next()], 0, piece);
}

template <bool Observed>
template <int Shape>
bool FrameDriver<Observed>::predictedFarCopy(int piece) {
    const uint32_t mode = control_.bits(format::farModeBits(false));
    const uint32_t word = vectors_.next();
    return farCopy<Shape>(piece, mode, word, format::topBit(word));
}

template <bool Observed>
template <int Shape>
bool FrameDriver<Observed>::intraFarCopy(int piece) {
    const uint32_t highBits = control_.bits(format::farModeBits(true));
    const uint32_t word = vectors_.next();
    return farCopy<Shape>(piece, format::intraFarMode(highBits, word), word, true);
}

// Far vectors are anchored at the 8x8 block's corner, whatever piece they place.
template <bool Observed>
template <int Shape>
bool FrameDriver<Observed>::farCopy(int piece, uint32_t mode, uint32_t word, bool fromTarget) {
    observe(piece, Choice::Vector, int(mode), fromTarget);
    const format::FarVector vector = format::unpackFar(word);
    const int64_t source = format::farSourceRow(blockY_, vector.vy, fromTarget, Shape == Shape8x8) * kWidth +
                           format::farSourceColumn(blockX_, vector.vx);
    return copy<StreamId::Vector, Shape>(fromTarget ? target_ : reference_, source, mode, piece);
}

// Near vectors are anchored at the 8x8 block's corner as well.
template <bool Observed>
template <int Shape>
bool FrameDriver<Observed>::nearCopy(int piece, bool intra) {
    const uint32_t word = vectors_.next();
    const format::NearVector vector = format::unpackNear(word);
    const bool fromTarget = intra || format::topBit(word);
    observe(piece, Choice::Vector, vector.mode, fromTarget);
    const int64_t corner = blockY_ * kWidth + blockX_;
    if (fromTarget)
        return copy<StreamId::Vector, Shape>(target_, corner + state_.geometry.intraNearOffsets[vector.index],
                                             uint32_t(vector.mode), piece);
    return copy<StreamId::Vector, Shape>(reference_, corner + state_.geometry.nearOffsets[vector.index],
                                         uint32_t(vector.mode), piece);
}

template <bool Observed>
void FrameDriver<Observed>::copyPendingStillRows() {
    if (pendingEnd_ == pendingStart_) return;
    std::memcpy(target_ + pendingStart_, reference_ + pendingStart_, 2 * size_t(pendingEnd_ - pendingStart_));
    pendingStart_ = pendingEnd_ = 0;
}

// The one bounds test of a copy: the source region, rows included, must lie in
// its picture buffer (it may run past a row's end into the next row, as the
// pixels lie in memory). Destinations always lie inside the target.
template <bool Observed>
template <StreamId Stream, int Shape>
bool FrameDriver<Observed>::copy(const uint16_t* picture, int64_t sourceOffset, uint32_t mode, int piece) {
    if (picture == target_) copyPendingStillRows();
    const ShapeSize source = sourceSize(Shape, int(mode));
    const int64_t extent = (source.height - 1) * kWidth + source.width;
    if (sourceOffset < 0 || sourceOffset + extent > picturePixels_)
        return fail(DecodeError::CopyOutside, Stream, piece);
    const format::Piece& p = kBlockPieces[size_t(piece)];
    uint16_t* destination = target_ + (blockY_ + p.y) * kWidth + blockX_ + p.x;
    const uint16_t* from = picture + sourceOffset;
    // Where the regions share no pixel, the order of the pair accesses makes
    // no difference, and a plain copy goes row by row.
    const uintptr_t a = reinterpret_cast<uintptr_t>(from), b = reinterpret_cast<uintptr_t>(destination);
    if (mode == 0 && (a >= b ? a - b : b - a) >= uintptr_t(2 * extent)) {
        copyRows<Shape>(from, destination);
        return true;
    }
    (*kernels_.copies)[8 * Shape + mode](from, destination);
    return true;
}

template class FrameDriver<false>;
template class FrameDriver<true>;

}  // namespace decoder

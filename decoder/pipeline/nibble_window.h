#pragma once
// The NibbleWindow: the frame's NibbleStream unpacked to one symbol per byte
// (low nibble first), primed at frame start and refilled between DCT blocks.
// A cell holds its symbol in its low four bits and the next symbol in its
// high four, so that one read gives a code with its first operand.
//
// Past the refill mark the window keeps more headroom than the 512 cells a
// typical block needs: the coefficient decoder bounds what one DCT block can
// consume (kMaxCellsPerDctBlock), so a block that starts at the mark never
// leaves the cells. Cells past the end of the stream hold 0 (EndOfBlock).

#include <array>
#include <cstdint>

#include "decoder/pipeline/frame_bytes.h"

namespace decoder {

class NibbleWindow {
public:
    static constexpr int kRefillMark = 15872;
    static constexpr int kCells = 16384 + 1024;
    // Three blocks of Literal codes up to position 63, then skips up to the
    // skip limit of the coefficient decoder, then EndOfBlock; at most 7 more,
    // the cells the decoder looks at from the start of a last code that is
    // rejected.
    static constexpr int kMaxCellsPerDctBlock = 3 * (2 + 3 * 63 + (128 - 63) + 1) + 7;
    static_assert(kRefillMark + kMaxCellsPerDctBlock < kCells);

    void prime(const FrameBytes& bytes, int64_t streamStart, int64_t streamEnd);
    // Moves the unread tail to the front and unpacks more, when the read
    // cursor has passed the refill mark.
    void refillIfPastMark();

    const uint8_t* readCursor() const { return cells_.data() + readIndex_; }
    void setReadCursor(const uint8_t* cursor) { readIndex_ = static_cast<int>(cursor - cells_.data()); }
    int readIndex() const { return readIndex_; }
    // Cells read since the window was primed, refills included.
    int64_t cellsRead() const { return cellsDropped_ + readIndex_; }

private:
    void unpackFrom(int firstCell);

    alignas(16) std::array<uint8_t, kCells> cells_{};
    int dirtyEnd_ = 0;  // cells from here on hold zeros
    int readIndex_ = 0;
    int64_t cellsDropped_ = 0;
    const FrameBytes* bytes_ = nullptr;
    int64_t packedCursor_ = 0;
    int64_t packedEnd_ = 0;
};

}  // namespace decoder

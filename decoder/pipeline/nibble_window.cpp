#include "pipeline/nibble_window.h"

#include <algorithm>
#include <cstring>

namespace vk6 {

void NibbleWindow::prime(const FrameBytes& bytes, int64_t streamStart, int64_t streamEnd) {
    bytes_ = &bytes;
    readIndex_ = 0;
    cellsDropped_ = 0;
    packedCursor_ = streamStart;
    packedEnd_ = std::min(streamEnd, bytes.size());
    unpackFrom(0);
}

void NibbleWindow::refillIfPastMark() {
    if (readIndex_ <= kRefillMark) return;
    // The cursor keeps its place modulo 16.
    const int moved = readIndex_ & ~15;
    std::memmove(cells_.data(), cells_.data() + moved, kCells - moved);
    readIndex_ -= moved;
    cellsDropped_ += moved;
    unpackFrom(kCells - moved);
}

void NibbleWindow::unpackFrom(int firstCell) {
    const int64_t wanted = (kCells - firstCell) / 2;
    const int64_t available = std::clamp<int64_t>(packedEnd_ - packedCursor_, 0, wanted);
    // The byte after the last one unpacked gives the last cell its high half.
    const int64_t afterAt = packedCursor_ + available;
    const uint8_t after = afterAt < packedEnd_ ? bytes_->byte(afterAt) : 0;
    uint8_t* cell = cells_.data() + firstCell;
    auto unpack = [&](auto byteAt) {
        for (int64_t i = 0; i < available; ++i) {
            const uint8_t packed = byteAt(i), next = i + 1 < available ? byteAt(i + 1) : after;
            cell[2 * i] = packed;
            cell[2 * i + 1] = uint8_t(packed >> 4 | next << 4);
        }
    };
    if (const uint8_t* packed = bytes_->span(packedCursor_, available))
        unpack([packed](int64_t i) { return packed[i]; });
    else
        unpack([this](int64_t i) { return bytes_->byte(packedCursor_ + i); });
    packedCursor_ += available;
    std::fill(cell + 2 * available, cells_.data() + kCells, uint8_t{0});
}

}  // namespace vk6

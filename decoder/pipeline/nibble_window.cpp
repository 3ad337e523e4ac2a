#include "decoder/pipeline/nibble_window.h"

#include <algorithm>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace decoder {

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
    dirtyEnd_ = kCells;
    readIndex_ -= moved;
    cellsDropped_ += moved;
    unpackFrom(kCells - moved);
}

namespace {

// Bytes 0..count-1 of packed into cells 0..2 count-1; `after` is the byte
// that follows them.
void unpackBytes(const uint8_t* packed, int64_t count, uint8_t after, uint8_t* cell) {
    int64_t i = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time, while the byte after them is in the span too.
    const __m128i low = _mm_set1_epi8(0x0F), high = _mm_set1_epi8(int8_t(0xF0));
    for (; i + 17 <= count; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(packed + i));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(packed + i + 1));
        const __m128i odd =
            _mm_or_si128(_mm_and_si128(_mm_srli_epi16(bytes, 4), low), _mm_and_si128(_mm_slli_epi16(next, 4), high));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(cell + 2 * i), _mm_unpacklo_epi8(bytes, odd));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(cell + 2 * i + 16), _mm_unpackhi_epi8(bytes, odd));
    }
#endif
    for (; i < count; ++i) {
        const uint8_t next = i + 1 < count ? packed[i + 1] : after;
        cell[2 * i] = packed[i];
        cell[2 * i + 1] = uint8_t(packed[i] >> 4 | next << 4);
    }
}

}  // namespace

void NibbleWindow::unpackFrom(int firstCell) {
    const int64_t wanted = (kCells - firstCell) / 2;
    const int64_t available = std::clamp<int64_t>(packedEnd_ - packedCursor_, 0, wanted);
    // The byte after the last one unpacked gives the last cell its high half.
    const int64_t afterAt = packedCursor_ + available;
    const uint8_t after = afterAt < packedEnd_ ? bytes_->byte(afterAt) : 0;
    uint8_t* cell = cells_.data() + firstCell;
    if (const uint8_t* packed = bytes_->span(packedCursor_, available)) {
        unpackBytes(packed, available, after, cell);
    } else {
        // A stream said to start before the frame: the bytes outside it read
        // as zero.
        std::vector<uint8_t> copy(static_cast<size_t>(available));
        for (int64_t i = 0; i < available; ++i) copy[size_t(i)] = bytes_->byte(packedCursor_ + i);
        unpackBytes(copy.data(), available, after, cell);
    }
    packedCursor_ += available;
    // Only cells an earlier stream filled need zeros again: a frame with few
    // coefficients or none clears little.
    const int written = firstCell + int(2 * available);
    if (dirtyEnd_ > written) std::fill(cells_.data() + written, cells_.data() + dirtyEnd_, uint8_t{0});
    dirtyEnd_ = written;
}

}  // namespace decoder

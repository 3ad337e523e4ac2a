#pragma once
// Readers of the three side streams of a frame: ControlBits (most significant
// bit first from little-endian 32-bit words), VectorWords (16-bit words) and
// SpiralIndices (two 12-bit indices per 3 bytes). Each tells the end of the
// bytes it has used (usedEnd) apart from those it has only loaded ahead, and
// where the last unit it used begins (lastUnit).

#include <algorithm>
#include <bit>
#include <cstdint>

#include "decoder/pipeline/frame_bytes.h"
#include "format/vector_word.h"

namespace decoder {

class ControlBitReader {
public:
    void start(const FrameBytes& bytes, int64_t offset) {
        bytes_ = &bytes;
        next_ = offset;
        loadWord();
    }

    // Inlined into every node of the block walk, which reads its codes bit
    // by bit; loading the next word is the rare part, called.
    [[gnu::always_inline]] uint32_t bit() {
        const uint32_t value = word_ >> 31;
        word_ <<= 1;
        // The next word is loaded as soon as the current one is used up.
        if (--bitsLeft_ == 0) [[unlikely]]
            loadNextWord();
        return value;
    }

    uint32_t bits(int count) {
        uint32_t value = 0;
        while (count-- > 0) value = (value << 1) | bit();
        return value;
    }

    // A bit is used from a whole 32-bit word: the end of the last such word.
    int64_t usedEnd() const { return bitsLeft_ == 32 ? next_ - 4 : next_; }
    int64_t lastUnit() const { return usedEnd() - 4; }

    // Consumes the copies of the `Length`-bit `Code` that come next, at most
    // `limit` of them, and returns how many it consumed. The next 64 bits
    // (the bits left in the current word, then the two words after it) are
    // matched all at once against the code repeated.
    template <uint32_t Code, int Length>
    int skipRepeats(int limit) {
        constexpr int kPerWindow = 64 / Length;
        constexpr uint64_t repeated = [] {
            uint64_t pattern = 0;
            for (int used = 0; used < kPerWindow * Length; used += Length)
                pattern |= uint64_t{Code} << (64 - Length - used);
            return pattern;
        }();
        // In locals, which the compiler keeps in registers: the reads below
        // may set the frame's flag of reads outside it, which it cannot tell
        // from these members.
        uint32_t word = word_;
        int bitsLeft = bitsLeft_;
        int64_t next = next_;
        int count = 0;
        while (count < limit) {
            const uint64_t following = uint64_t{bytes_->word32(next)} << 32 | bytes_->word32(next + 4);
            const uint64_t difference = (uint64_t{word} << 32 | following >> bitsLeft) ^ repeated;
            // The whole window matches, but for its last bit, which no whole code covers.
            const int matching =
                difference >> (64 - kPerWindow * Length) == 0 ? kPerWindow : std::countl_zero(difference) / Length;
            const int taken = std::min(matching, limit - count);
            count += taken;
            const int bits = taken * Length;
            if (bits < bitsLeft) {
                word <<= bits;
                bitsLeft -= bits;
            } else {
                // Into the next word, or past it into the one after.
                int into = bits - bitsLeft;
                if (into >= 32) {
                    into -= 32;
                    next += 4;
                }
                word = bytes_->word32(next) << into;
                next += 4;
                bitsLeft = 32 - into;
            }
            if (taken < kPerWindow) break;  // a different code, or the limit
        }
        word_ = word;
        bitsLeft_ = bitsLeft;
        next_ = next;
        return count;
    }

private:
    void loadWord() {
        word_ = bytes_->word32(next_);
        next_ += 4;
        bitsLeft_ = 32;
    }
    [[gnu::noinline]] void loadNextWord() { loadWord(); }

    const FrameBytes* bytes_ = nullptr;
    int64_t next_ = 0;
    uint32_t word_ = 0;
    int bitsLeft_ = 0;
};

class VectorWordReader {
public:
    void start(const FrameBytes& bytes, int64_t offset) {
        bytes_ = &bytes;
        next_ = offset;
    }

    uint32_t next() {
        const uint32_t word = bytes_->word16(next_);
        next_ += 2;
        return word;
    }

    int64_t usedEnd() const { return next_; }
    int64_t lastUnit() const { return next_ - 2; }

private:
    const FrameBytes* bytes_ = nullptr;
    int64_t next_ = 0;
};

class SpiralIndexReader {
public:
    void start(const FrameBytes& bytes, int64_t offset) {
        bytes_ = &bytes;
        next_ = offset;
        odd_ = false;
    }

    uint32_t next() {
        odd_ = !odd_;
        if (!odd_) return pending_;
        const uint32_t packed = bytes_->bytes24(next_);
        next_ += 3;
        pending_ = format::secondSpiralIndex(packed);
        return format::firstSpiralIndex(packed);
    }

    // The first index of a group lies in its first two bytes.
    int64_t usedEnd() const { return odd_ ? next_ - 1 : next_; }
    int64_t lastUnit() const { return next_ - 3; }

private:
    const FrameBytes* bytes_ = nullptr;
    int64_t next_ = 0;
    uint32_t pending_ = 0;
    bool odd_ = false;
};

}  // namespace decoder

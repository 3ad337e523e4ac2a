#pragma once
// Readers of the three side streams of a frame: ControlBits (most significant
// bit first from little-endian 32-bit words), VectorWords (16-bit words) and
// SpiralIndices (two 12-bit indices per 3 bytes).

#include <cstdint>

#include "pipeline/frame_bytes.h"

namespace vk6 {

class ControlBitReader {
public:
    void start(const FrameBytes& bytes, int64_t offset) {
        bytes_ = &bytes;
        next_ = offset;
        loadWord();
    }

    uint32_t bit() {
        const uint32_t value = word_ >> 31;
        word_ <<= 1;
        // The next word is loaded as soon as the current one is used up.
        if (--bitsLeft_ == 0) loadWord();
        return value;
    }

    uint32_t bits(int count) {
        uint32_t value = 0;
        while (count-- > 0) value = (value << 1) | bit();
        return value;
    }

private:
    void loadWord() {
        word_ = bytes_->word32(next_);
        next_ += 4;
        bitsLeft_ = 32;
    }

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
        pending_ = (packed >> 12) & 0xFFF;
        return packed & 0xFFF;
    }

private:
    const FrameBytes* bytes_ = nullptr;
    int64_t next_ = 0;
    uint32_t pending_ = 0;
    bool odd_ = false;
};

}  // namespace vk6

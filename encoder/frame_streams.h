#pragma once
// The four streams of a compressed frame as the encoder fills them, and the
// frame they make: the six-word header, then each stream followed by four
// zero bytes, because the decoder's readers load whole words ahead.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace encoder {

// Bits most significant first, packed into little-endian 32-bit words.
class ControlBitWriter {
public:
    void put(uint32_t value, int count);
    // The other writer's bits after these, as if put here.
    void append(const ControlBitWriter& other);
    std::vector<uint8_t> bytes() const;

private:
    std::vector<uint32_t> words_;
    int used_ = 32;  // bits used in the last word
};

// Two 12-bit indices per 3 bytes, the first in the low bits.
class SpiralIndexWriter {
public:
    void put(uint32_t index);
    void append(const SpiralIndexWriter& other);
    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    uint32_t index(size_t i) const;

    std::vector<uint8_t> bytes_;
    bool odd_ = false;
};

// 4-bit symbols, low nibble of each byte first.
class NibbleWriter {
public:
    void put(int nibble);
    // A two's-complement byte as its high, then its low nibble.
    void putByte(int value);
    void append(const NibbleWriter& other);
    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
    bool odd_ = false;
};

struct FrameStreams {
    ControlBitWriter control;
    std::vector<uint16_t> vectors;
    SpiralIndexWriter spirals;
    NibbleWriter nibbles;

    // The other streams' contents after these: a frame coded in parts joins
    // the parts' streams in the decoder's order.
    void append(const FrameStreams& other);

    // The header's first word: the quality, negated in an intra frame.
    std::vector<uint8_t> assemble(int32_t qualityWord) const;
};

}  // namespace encoder

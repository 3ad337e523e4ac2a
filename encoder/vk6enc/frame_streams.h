#pragma once
// The four streams of a compressed frame as the encoder fills them, and the
// frame they make: the six-word header, then each stream followed by four
// zero bytes, because the decoder's readers load whole words ahead.

#include <cstdint>
#include <vector>

namespace vk6enc {

// Bits most significant first, packed into little-endian 32-bit words.
class ControlBitWriter {
public:
    void put(uint32_t value, int count);
    std::vector<uint8_t> bytes() const;

private:
    std::vector<uint32_t> words_;
    int used_ = 32;  // bits used in the last word
};

// Two 12-bit indices per 3 bytes, the first in the low bits.
class SpiralIndexWriter {
public:
    void put(uint32_t index);
    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
    bool odd_ = false;
};

// 4-bit symbols, low nibble of each byte first.
class NibbleWriter {
public:
    void put(int nibble);
    // A two's-complement byte as its high, then its low nibble.
    void putByte(int value);
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

    // The header's first word: the quality, negated in an intra frame.
    std::vector<uint8_t> assemble(int32_t qualityWord) const;
};

}  // namespace vk6enc

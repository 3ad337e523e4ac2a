#pragma once
// Builds compressed frames for tests and benchmarks from their codes: control
// bits, vector words, spiral indices and coefficient nibbles, written by the
// encoder's stream writers.

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "encoder/frame_streams.h"
#include "format/vector_word.h"

namespace decoder::test {

// Bits most significant first into little-endian 32-bit words.
class BitWriter : public encoder::ControlBitWriter {
public:
    // A code written as text, e.g. "010"; spaces are ignored.
    void code(std::string_view bits);
};

// Symbols low nibble first.
class NibbleWriter : public encoder::NibbleWriter {
public:
    using encoder::NibbleWriter::put;
    void put(std::initializer_list<int> nibbles);
    // An 8-bit two's-complement value as the high, then the low nibble (DC and Literal).
    void byteValue(int value) { putByte(value); }
    // A block of one DC coefficient: DC, EndOfBlock.
    void dcOnly(int value);
};

class FrameBuilder {
public:
    BitWriter control;
    NibbleWriter nibbles;

    void vector(uint16_t word) { vectors_.push_back(word); }
    void spiral(uint16_t index) { spirals_.put(index); }
    // A DCT block whose three components hold only their DC values.
    void dcBlock(int y, int cb = 0, int cr = 0);

    // Header, then each stream followed by 4 spare bytes.
    std::vector<uint8_t> build(int32_t qualityWord) const;

private:
    std::vector<uint16_t> vectors_;
    encoder::SpiralIndexWriter spirals_;
};

constexpr uint16_t farWord(int vx, int vy, int bit15 = 0) { return format::packFar(vx, vy, bit15); }
constexpr uint16_t nearWord(int index, int mode, int bit15 = 0) { return format::packNear(index, mode, bit15); }

}  // namespace decoder::test

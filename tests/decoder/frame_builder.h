#pragma once
// Builds compressed frames for tests and benchmarks from their codes: control
// bits, vector words, spiral indices and coefficient nibbles.

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace vk6::test {

// Bits most significant first into little-endian 32-bit words.
class BitWriter {
public:
    void put(uint32_t value, int count);
    // A code written as text, e.g. "010"; spaces are ignored.
    void code(std::string_view bits);
    std::vector<uint8_t> bytes() const;

private:
    std::vector<uint32_t> words_;
    int used_ = 32;  // bits used in the last word
};

// Symbols low nibble first.
class NibbleWriter {
public:
    void put(std::initializer_list<int> nibbles);
    void put(int nibble);
    // An 8-bit two's-complement value as the high, then the low nibble (DC and Literal).
    void byteValue(int value);
    // A block of one DC coefficient: DC, EndOfBlock.
    void dcOnly(int value);
    size_t count() const { return count_; }
    std::vector<uint8_t> bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
    size_t count_ = 0;
};

class FrameBuilder {
public:
    BitWriter control;
    NibbleWriter nibbles;

    void vector(uint16_t word) { vectors_.push_back(word); }
    void spiral(uint16_t index) { spirals_.push_back(index); }
    // A DCT block whose three components hold only their DC values.
    void dcBlock(int y, int cb = 0, int cr = 0);

    // Header, then each stream followed by 4 spare bytes.
    std::vector<uint8_t> build(int32_t qualityWord) const;

private:
    std::vector<uint16_t> vectors_;
    std::vector<uint16_t> spirals_;
};

// Far vector word: vy in bits 0-6, vx in bits 7-14, bit 15 on top.
constexpr uint16_t farWord(int vx, int vy, int bit15 = 0) {
    return static_cast<uint16_t>((bit15 << 15) | (vx << 7) | vy);
}
// Near vector word: index in bits 0-11, mode in bits 12-14, bit 15 on top.
constexpr uint16_t nearWord(int index, int mode, int bit15 = 0) {
    return static_cast<uint16_t>((bit15 << 15) | (mode << 12) | index);
}

}  // namespace vk6::test

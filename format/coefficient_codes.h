#pragma once
// The nibble codes of a DCT block's coefficients: a block is its DC byte,
// then codes over the zigzag scan that skip zeros and write short runs of
// small levels, up to EndOfBlock or to a value written at position 63. Here
// are the codes, the levels their operands stand for, and what each code
// takes and gives; the decoder reads these, the encoder writes them.

#include <array>
#include <cstdint>

namespace format {

enum CoefficientCode : uint8_t {
    EndOfBlock = 0,
    Skip5 = 1,
    Zero1Plus = 2,
    Zero1Minus = 3,
    Zero2Plus = 4,
    Zero2Minus = 5,
    Zero3Plus = 6,
    Zero3Minus = 7,
    RunSmall = 8,
    RunNibble = 9,
    SmallPair = 10,
    Nibble1 = 11,
    Nibble2 = 12,
    Nibble3 = 13,
    Skip1 = 14,
    Literal = 15,
};

inline constexpr int kBlockPositions = 64;

// A 2-bit field's level: +1, +2, -2, -1.
inline constexpr std::array<int8_t, 4> kSmallLevels = {+1, +2, -2, -1};
// A nibble's level: 0..7 stand for +1..+8, 8..15 for -8..-1; zero cannot be coded.
inline constexpr std::array<int8_t, 16> kNibbleLevels = {1, 2, 3, 4, 5, 6, 7, 8, -8, -7, -6, -5, -4, -3, -2, -1};

// The DC and Literal byte from its two nibbles, high first: two's complement.
constexpr int32_t byteLevel(uint32_t high, uint32_t low) {
    return static_cast<int8_t>(static_cast<uint8_t>((high << 4) | low));
}

// Where one value of a code comes from: the level of an operand cell, `at`
// cells after the code nibble.
struct LevelSource {
    enum Kind : uint8_t {
        None,       // no value
        Unit,       // +1 or -1 by the code nibble itself (codes 2 to 7)
        SmallHigh,  // kSmallLevels[cell >> 2]
        SmallLow,   // kSmallLevels[cell & 3]
        Nibble,     // kNibbleLevels[cell]
        Byte,       // byteLevel(cell, next cell)
    };
    Kind kind = None;
    uint8_t at = 0;
};

// What one code does, given its first operand a (where it has one): the
// cells it takes with its operands, the zeros it skips before its values,
// and where each value comes from.
struct CodeShape {
    uint8_t cells = 1;
    uint8_t zeros = 0;
    uint8_t values = 0;
    std::array<LevelSource, 5> level{};
};

// The code nibble `code` followed by the nibble `a`. In RunSmall and RunNibble,
// s = a & 3 and the run of zeros is ((a >> 2) & 3) + 1.
constexpr CodeShape codeShape(uint32_t code, uint32_t a) {
    using K = LevelSource::Kind;
    CodeShape shape;
    const uint8_t s = uint8_t(a & 3), run = uint8_t(((a >> 2) & 3) + 1);
    switch (code) {
        case EndOfBlock: break;
        case Skip5: shape.zeros = 5; break;
        case Skip1: shape.zeros = 1; break;
        case Zero1Plus:
        case Zero1Minus:
        case Zero2Plus:
        case Zero2Minus:
        case Zero3Plus:
        case Zero3Minus:
            shape.zeros = uint8_t((code - Zero1Plus) / 2 + 1);
            shape.values = 1;
            shape.level[0] = {K::Unit, 0};
            break;
        case RunSmall: {
            // The low two bits of the last operand are unused for s = 1 and 3.
            shape.cells = uint8_t(3 + (s >= 1) + (s == 3));
            shape.zeros = run;
            shape.values = uint8_t(2 + s);
            const LevelSource fields[5] = {
                {K::SmallHigh, 2}, {K::SmallLow, 2}, {K::SmallHigh, 3}, {K::SmallLow, 3}, {K::SmallHigh, 4}};
            for (int i = 0; i < shape.values; ++i) shape.level[i] = fields[i];
            break;
        }
        case RunNibble:
            shape.cells = uint8_t(s + 3);
            shape.zeros = run;
            shape.values = uint8_t(s + 1);
            for (int i = 0; i < shape.values; ++i) shape.level[i] = {K::Nibble, uint8_t(2 + i)};
            break;
        case SmallPair:
            shape.cells = 2;
            shape.values = 2;
            shape.level[0] = {K::SmallHigh, 1};
            shape.level[1] = {K::SmallLow, 1};
            break;
        case Nibble1:
        case Nibble2:
        case Nibble3:
            shape.values = uint8_t(code - Nibble1 + 1);
            shape.cells = uint8_t(1 + shape.values);
            for (int i = 0; i < shape.values; ++i) shape.level[i] = {K::Nibble, uint8_t(1 + i)};
            break;
        case Literal:
            shape.cells = 3;
            shape.values = 1;
            shape.level[0] = {K::Byte, 1};
            break;
    }
    return shape;
}

}  // namespace format

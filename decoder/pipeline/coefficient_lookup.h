#pragma once
// The coefficient codes through one table lookup per code, the decoder of
// every kernel level above the reference: the code's cell, with its first
// operand in the high half, gives the cells the code takes, the zeros it
// skips, how many values it writes and where each comes from. A code's kind
// is as unpredictable as the picture, so no branch depends on it: every code
// writes two slots (a slot beyond its values writes a zero), and only codes
// of three values or more, one in twelve or so, take a branch of their own.
//
// In an unnamed namespace: each instruction set's translation unit compiles
// its own copy, for its own target, which no other unit's copy can replace.

#include <algorithm>
#include <tuple>

#include "decoder/pipeline/coefficient_decoder.h"

namespace decoder {
namespace {

using format::DecodeError;
using enum format::CoefficientCode;

using format::codeShape;
using format::CodeShape;
using format::LevelSource;

constexpr int kFixedSlots = 2;
// A code is checked before it writes: its position is then at most the skip
// limit, and its slots stay within the scan positions the tables have.
static_assert(kSkipLimit + kFixedSlots <= kScanPositions);

// Levels by source kind and by the source cell, which holds its symbol and,
// in its high half, the next one.
constexpr auto kLevelOfCell = [] {
    std::array<std::array<int8_t, 256>, 6> levels{};
    for (uint32_t pair = 0; pair < 256; ++pair) {  // a cell: symbol, then next symbol
        const uint32_t cell = pair & 15, next = pair >> 4;
        levels[LevelSource::Unit][pair] = int8_t(cell & 1 ? -1 : +1);
        levels[LevelSource::SmallHigh][pair] = format::kSmallLevels[cell >> 2];
        levels[LevelSource::SmallLow][pair] = format::kSmallLevels[cell & 3];
        levels[LevelSource::Nibble][pair] = format::kNibbleLevels[cell];
        levels[LevelSource::Byte][pair] = int8_t(format::byteLevel(cell, next));
    }
    return levels;
}();

struct Slot {
    uint8_t at;
    uint8_t kind;
};

// One code, with the nibble after it, ready for the loop. A malformed code is
// found before it writes; it leaves the cursor where the reference version
// leaves it, after the cells that version had read.
struct alignas(32) CodeStep {
    Slot slot[5];
    uint8_t cells;
    uint8_t zeros;
    uint8_t values;
    uint8_t limit;     // positions after the zeros and values may reach this, no further
    uint8_t finishAt;  // the block is complete once the position reaches this
    uint8_t rejected;  // cells read when the code is malformed
    DecodeError error;
};

constexpr CodeStep codeStep(uint32_t code, uint32_t a) {
    const CodeShape shape = codeShape(code, a);
    CodeStep step{};
    for (int i = 0; i < 5; ++i) step.slot[i] = {shape.level[i].at, shape.level[i].kind};
    step.cells = shape.cells;
    step.zeros = shape.zeros;
    step.values = shape.values;
    const bool skip = code == format::Skip1 || code == format::Skip5;
    step.error = skip ? DecodeError::TooManySkips : DecodeError::CoefficientPast63;
    // EndOfBlock never comes here: the loop ends the component on it first.
    if (skip) {
        step.limit = kSkipLimit;
        step.finishAt = 255;  // a skip never completes a block
    } else {
        step.limit = format::kBlockPositions;
        step.finishAt = format::kBlockPositions;
    }
    // RunSmall's operands are all read before its check, RunNibble's and
    // SmallPair's first one; the other codes are checked on their code nibble.
    step.rejected = code == format::RunSmall                                 ? shape.cells
                    : code == format::RunNibble || code == format::SmallPair ? 2
                                                                             : 1;
    return step;
}

constexpr auto kSteps = [] {
    std::array<CodeStep, 256> steps{};
    for (uint32_t code = 0; code < 16; ++code)
        for (uint32_t a = 0; a < 16; ++a) steps[code | a << 4] = codeStep(code, a);
    return steps;
}();

// The steps' cells once more, on their own: the cursor moves from code to
// code through this table, and each code's place waits on that chain of
// reads, which an index straight into a byte table keeps shortest.
constexpr auto kStepCells = [] {
    std::array<uint8_t, 256> cells{};
    for (size_t i = 0; i < cells.size(); ++i) cells[i] = kSteps[i].cells;
    return cells;
}();

// The mask bits of `values` consecutive positions from `first`.
constexpr auto kRunMasks = [] {
    std::array<std::array<uint16_t, 6>, kScanPositions> masks{};
    for (int first = 0; first < kScanPositions; ++first)
        for (int values = 1; values <= 5; ++values) {
            uint32_t mask = 0;
            for (int p = first; p < std::min(first + values, 64); ++p) {
                const int natural = kZigzagToNatural[size_t(p)];
                mask |= 1u << (natural & 7) | 1u << (8 + natural / 8);
            }
            masks[size_t(first)][size_t(values)] = uint16_t(mask);
        }
    return masks;
}();

// One component from cursor into its block; cursor is left on the first cell
// after the block, or after the cells read of a malformed code.
DecodeError decodeComponent(const uint8_t*& cursor, const uint32_t* offset, const int32_t* factor,
                            int32_t* coefficients, uint32_t& maskOut) {
    const uint8_t* c = cursor;
    coefficients[offset[0]] = kLevelOfCell[LevelSource::Byte][c[0]] * factor[0];
    uint32_t mask = kRunMasks[0][1];
    uint32_t p = 1;
    c += 2;
    for (;;) {
        // EndOfBlock, which ends most components, is tested first and on the
        // cell alone: the branch no predictor foresees is decided soonest.
        // Its slots would only write zeros where zeros are.
        if ((c[0] & 15) == EndOfBlock) {
            ++c;
            break;
        }
        const CodeStep& step = kSteps[c[0]];
        const uint32_t first = p + step.zeros;
        if (first + step.values > step.limit) [[unlikely]] {
            cursor = c + step.rejected;
            return step.error;
        }
        if (step.values > kFixedSlots) [[unlikely]] {
            for (uint32_t i = kFixedSlots; i < step.values; ++i) {
                const Slot slot = step.slot[i];
                coefficients[offset[first + i]] = kLevelOfCell[slot.kind][c[slot.at]] * factor[first + i];
            }
        }
        // A slot beyond the code's values writes a zero, at a position no code
        // has written yet, or past the block where the zeros are discarded.
#pragma GCC unroll 2
        for (int i = 0; i < kFixedSlots; ++i) {
            const Slot slot = step.slot[i];
            coefficients[offset[first + i]] = kLevelOfCell[slot.kind][c[slot.at]] * factor[first + i];
        }
        mask |= kRunMasks[first][step.values];
        p = first + step.values;
        c += kStepCells[c[0]];
        if (p >= step.finishAt) break;
    }
    cursor = c;
    maskOut = mask;
    return DecodeError::None;
}

// In vector stores of VectorBytes: a string store costs more to start than
// the whole clearing takes. The compiler sees a loop of zero stores as a
// memset and makes it one string store, unless the zero is a value it cannot
// see.
template <int VectorBytes>
void clear(CoefficientBlocks& blocks) {
    typedef int32_t Lanes __attribute__((vector_size(VectorBytes), aligned(16)));
    constexpr size_t kLanes = VectorBytes / 4, kVectors = std::tuple_size_v<decltype(blocks.values)> / kLanes;
    Lanes* values = reinterpret_cast<Lanes*>(blocks.values.data());
    Lanes zero{};
#if defined(__x86_64__) || defined(__i386__)
    asm("" : "+x"(zero));
#endif
#pragma GCC unroll 49
    for (size_t i = 0; i < kVectors; ++i) values[i] = zero;
    for (size_t i = kVectors * kLanes; i < blocks.values.size(); ++i) blocks.values[i] = 0;
}

// Decodes Y, Cb and Cr as decodeCoefficientBlocks says, clearing the blocks
// first in stores of VectorBytes.
template <int VectorBytes>
DecodeError decodeBlocksByLookup(NibbleWindow& window, const GeometryTables& geometry, const DequantTables& dequant,
                                 CoefficientBlocks& blocks) {
    clear<VectorBytes>(blocks);
    window.refillIfPastMark();
    const uint8_t* cursor = window.readCursor();
    DecodeError error = DecodeError::None;
    for (int component = 0; component < 3 && error == DecodeError::None; ++component)
        error = decodeComponent(cursor, geometry.coefficientOffset[size_t(component)].data(),
                                dequant[size_t(component)].data(), blocks.values.data(),
                                blocks.blockMask[size_t(component)]);
    window.setReadCursor(cursor);
    return error;
}

}  // namespace
}  // namespace decoder

#include "vk6enc/code_tree.h"

#include <cstddef>

namespace vk6enc {

namespace {

constexpr int kSpiralIndexBits = 12, kVectorWordBits = 16;

struct CodeEntry {
    Choice choice;
    Code code;
};

// The code trees, level by level.
constexpr CodeEntry kPredicted8x8[] = {
    {Choice::Spiral, {0b00, 2}},          {Choice::Vector, {0b010, 3}},         {Choice::Dct, {0b011, 3}},
    {Choice::SplitHalves8x4, {0b100, 3}}, {Choice::SplitHalves4x8, {0b101, 3}}, {Choice::Still, {0b110, 3}},
    {Choice::SplitQuarters, {0b1110, 4}}};
constexpr CodeEntry kPredictedHalf[] = {{Choice::Spiral, {0b00, 2}},
                                        {Choice::Vector, {0b01, 2}},
                                        {Choice::SplitQuarters, {0b10, 2}},
                                        {Choice::Still, {0b11, 2}}};
constexpr CodeEntry kPredictedQuarter[] = {{Choice::Spiral, {0b00, 2}},          {Choice::Vector, {0b01, 2}},
                                           {Choice::Still, {0b100, 3}},          {Choice::SplitStrips4x2, {0b101, 3}},
                                           {Choice::SplitStrips2x4, {0b110, 3}}, {Choice::SplitCells, {0b111, 3}}};
constexpr CodeEntry kPredictedStrip[] = {{Choice::Spiral, {0b0, 1}},
                                         {Choice::Vector, {0b10, 2}},
                                         {Choice::Still, {0b110, 3}},
                                         {Choice::SplitCells, {0b111, 3}}};
constexpr CodeEntry kPredictedCell[] = {
    {Choice::Spiral, {0b0, 1}}, {Choice::Vector, {0b10, 2}}, {Choice::Still, {0b11, 2}}};

constexpr CodeEntry kIntra8x8[] = {{Choice::SplitHalves8x4, {0b00, 2}},
                                   {Choice::SplitHalves4x8, {0b01, 2}},
                                   {Choice::SplitQuarters, {0b10, 2}},
                                   {Choice::Dct, {0b110, 3}},
                                   {Choice::Vector, {0b111, 3}}};
constexpr CodeEntry kIntraHalf[] = {{Choice::SplitQuarters, {0b0, 1}}, {Choice::Vector, {0b1, 1}}};
constexpr CodeEntry kIntraQuarter[] = {{Choice::Vector, {0b00, 2}},
                                       {Choice::SplitStrips4x2, {0b01, 2}},
                                       {Choice::SplitStrips2x4, {0b10, 2}},
                                       {Choice::SplitCells, {0b11, 2}}};
constexpr CodeEntry kIntraStrip[] = {{Choice::Vector, {0b0, 1}}, {Choice::SplitCells, {0b1, 1}}};
// Cells of an intra frame follow their split with no bits of their own.
constexpr CodeEntry kIntraCell[] = {{Choice::Vector, {0, 0}}};

template <std::size_t N>
Code find(const CodeEntry (&entries)[N], Choice choice) {
    for (const CodeEntry& entry : entries)
        if (entry.choice == choice) return entry.code;
    return {0, -1};
}

SplitParts partsOf(int piece, Choice split) {
    const Level level = kBlockPieces[piece].level;
    switch (level) {
        case Level::Block8x8:
            if (split == Choice::SplitHalves8x4) return {2, {kFirstHalf8x4, kFirstHalf8x4 + 1}};
            if (split == Choice::SplitHalves4x8) return {2, {kFirstHalf4x8, kFirstHalf4x8 + 1}};
            if (split == Choice::SplitQuarters)
                return {4, {kFirstQuarter, kFirstQuarter + 1, kFirstQuarter + 2, kFirstQuarter + 3}};
            break;
        case Level::Half8x4: {
            const int h = piece - kFirstHalf8x4;
            if (split == Choice::SplitQuarters) return {2, {kFirstQuarter + 2 * h, kFirstQuarter + 2 * h + 1}};
            break;
        }
        case Level::Half4x8: {
            const int h = piece - kFirstHalf4x8;
            if (split == Choice::SplitQuarters) return {2, {kFirstQuarter + h, kFirstQuarter + h + 2}};
            break;
        }
        case Level::Quarter: {
            const int q = piece - kFirstQuarter;
            if (split == Choice::SplitStrips4x2) return {2, {kFirstStrip4x2 + 2 * q, kFirstStrip4x2 + 2 * q + 1}};
            if (split == Choice::SplitStrips2x4) return {2, {kFirstStrip2x4 + 2 * q, kFirstStrip2x4 + 2 * q + 1}};
            if (split == Choice::SplitCells) {
                const int c = kFirstCell + 4 * q;
                return {4, {c, c + 1, c + 2, c + 3}};
            }
            break;
        }
        case Level::Strip4x2: {
            const int k = piece - kFirstStrip4x2;
            if (split == Choice::SplitCells) return {2, {kFirstCell + 2 * k, kFirstCell + 2 * k + 1}};
            break;
        }
        case Level::Strip2x4: {
            const int k = piece - kFirstStrip2x4;
            const int first = kFirstCell + 4 * (k >> 1) + (k & 1);
            if (split == Choice::SplitCells) return {2, {first, first + 2}};
            break;
        }
        case Level::Cell:
            break;
    }
    return {0, {}};
}

Code codeOf(bool intra, Level level, Choice choice) {
    switch (level) {
        case Level::Block8x8:
            return intra ? find(kIntra8x8, choice) : find(kPredicted8x8, choice);
        case Level::Half8x4:
        case Level::Half4x8:
            return intra ? find(kIntraHalf, choice) : find(kPredictedHalf, choice);
        case Level::Quarter:
            return intra ? find(kIntraQuarter, choice) : find(kPredictedQuarter, choice);
        case Level::Strip4x2:
        case Level::Strip2x4:
            return intra ? find(kIntraStrip, choice) : find(kPredictedStrip, choice);
        case Level::Cell:
            return intra ? find(kIntraCell, choice) : find(kPredictedCell, choice);
    }
    return {0, -1};
}

int bitsOf(bool intra, Level level, Choice choice) {
    const Code code = codeOf(intra, level, choice);
    if (code.length < 0) return -1;
    if (choice == Choice::Spiral) return code.length + kSpiralIndexBits;
    if (choice != Choice::Vector) return code.length;
    if (!usesFarVector(level)) return code.length + kVectorWordBits;
    // Far vectors add the mode: 3 control bits, or in an intra frame 2 bits
    // and the word's top bit.
    return code.length + (intra ? 2 : 3) + kVectorWordBits;
}

CodeTables buildCodeTables() {
    CodeTables tables{};
    for (int intra = 0; intra < 2; ++intra)
        for (int level = 0; level < kLevels; ++level)
            for (int choice = 0; choice < kChoices; ++choice) {
                tables.code[intra][level][choice] = codeOf(intra != 0, Level(level), Choice(choice));
                tables.bits[intra][level][choice] = bitsOf(intra != 0, Level(level), Choice(choice));
            }
    for (int piece = 0; piece < kPieces; ++piece)
        for (int choice = 0; choice < kChoices; ++choice) tables.split[piece][choice] = partsOf(piece, Choice(choice));
    return tables;
}

}  // namespace

const CodeTables kCodeTables = buildCodeTables();

}  // namespace vk6enc

#pragma once
// The block code trees of the two frame kinds, as data: the pieces of an 8x8
// block and their numbering, the choices a piece has at each level, the
// control-bit code of each choice, and the pieces a split leads to. The
// decoder walks these codes (readChoice), the encoder writes them.

#include <array>
#include <cstdint>
#include <span>
#include <type_traits>

#include "format/piece_shapes.h"

namespace format {

// Levels of subdivision: the block, its 8x4 and 4x8 halves, its quarters,
// the 4x2 and 2x4 strips of a quarter, and 2x2 cells.
enum class Level : uint8_t { Block8x8, Half8x4, Half4x8, Quarter, Strip4x2, Strip2x4, Cell };
inline constexpr int kLevels = 7;

enum class Choice : uint8_t {
    Still,   // unchanged from the previous picture
    Spiral,  // from the previous picture, moved by a spiral index
    Vector,  // a vector copy from either picture, with a symmetry
    Dct,     // coefficients (whole blocks only)
    SplitHalves8x4,
    SplitHalves4x8,
    SplitQuarters,
    SplitStrips4x2,
    SplitStrips2x4,
    SplitCells,
    NotACode,  // what the decoder reads where the bits are no code
};
inline constexpr int kChoices = 10;  // the choices before NotACode

// Far vector words place blocks, halves and quarters; near ones strips and cells.
constexpr bool usesFarVector(Level level) { return level <= Level::Quarter; }

// ---- the pieces of a block ----

// Pieces of a block: 0 the block, 1-2 its 8x4 halves, 3-4 its 4x8 halves,
// 5-8 its quarters, 9-16 the 4x2 strips, 17-24 the 2x4 strips, 25-40 the
// 2x2 cells. Within a level, pieces are numbered row by row of quarters, and
// row by row inside a quarter.
inline constexpr int kPieces = 41;
inline constexpr std::array<int, kLevels> kFirstPiece = {0, 1, 3, 5, 9, 17, 25};

struct Piece {
    Level level;
    int shape;  // the copy table's shape
    int x, y;   // corner inside the block
    int width, height;
};

constexpr Piece makePiece(Level level, int shape, int x, int y) {
    return {level, shape, x, y, kShapeSizes[shape].width, kShapeSizes[shape].height};
}

constexpr std::array<Piece, kPieces> makeBlockPieces() {
    std::array<Piece, kPieces> pieces{};
    pieces[0] = makePiece(Level::Block8x8, Shape8x8, 0, 0);
    for (int h = 0; h < 2; ++h) {
        pieces[kFirstPiece[int(Level::Half8x4)] + h] = makePiece(Level::Half8x4, Shape8x4, 0, 4 * h);
        pieces[kFirstPiece[int(Level::Half4x8)] + h] = makePiece(Level::Half4x8, Shape4x8, 4 * h, 0);
    }
    for (int q = 0; q < 4; ++q) {
        const int qx = 4 * (q & 1), qy = 4 * (q >> 1);
        pieces[kFirstPiece[int(Level::Quarter)] + q] = makePiece(Level::Quarter, Shape4x4, qx, qy);
        for (int h = 0; h < 2; ++h) {
            pieces[kFirstPiece[int(Level::Strip4x2)] + 2 * q + h] =
                makePiece(Level::Strip4x2, Shape4x2, qx, qy + 2 * h);
            pieces[kFirstPiece[int(Level::Strip2x4)] + 2 * q + h] =
                makePiece(Level::Strip2x4, Shape2x4, qx + 2 * h, qy);
        }
        for (int r = 0; r < 4; ++r)
            pieces[kFirstPiece[int(Level::Cell)] + 4 * q + r] =
                makePiece(Level::Cell, Shape2x2, qx + 2 * (r & 1), qy + 2 * (r >> 1));
    }
    return pieces;
}

inline constexpr std::array<Piece, kPieces> kBlockPieces = makeBlockPieces();

// The piece's number among the pieces of its level, as failure reports give it.
constexpr int pieceNumber(int piece) { return piece - kFirstPiece[size_t(kBlockPieces[size_t(piece)].level)]; }

// ---- the codes ----

struct Code {
    uint32_t bits;
    int length;  // -1: the choice does not exist at this level of this tree
};

struct CodeEntry {
    Choice choice;
    Code code;
};

inline constexpr CodeEntry kPredicted8x8[] = {
    {Choice::Spiral, {0b00, 2}},          {Choice::Vector, {0b010, 3}},         {Choice::Dct, {0b011, 3}},
    {Choice::SplitHalves8x4, {0b100, 3}}, {Choice::SplitHalves4x8, {0b101, 3}}, {Choice::Still, {0b110, 3}},
    {Choice::SplitQuarters, {0b1110, 4}}};  // 1111 is no code
inline constexpr CodeEntry kPredictedHalf[] = {{Choice::Spiral, {0b00, 2}},
                                               {Choice::Vector, {0b01, 2}},
                                               {Choice::SplitQuarters, {0b10, 2}},
                                               {Choice::Still, {0b11, 2}}};
inline constexpr CodeEntry kPredictedQuarter[] = {
    {Choice::Spiral, {0b00, 2}},          {Choice::Vector, {0b01, 2}},          {Choice::Still, {0b100, 3}},
    {Choice::SplitStrips4x2, {0b101, 3}}, {Choice::SplitStrips2x4, {0b110, 3}}, {Choice::SplitCells, {0b111, 3}}};
inline constexpr CodeEntry kPredictedStrip[] = {{Choice::Spiral, {0b0, 1}},
                                                {Choice::Vector, {0b10, 2}},
                                                {Choice::Still, {0b110, 3}},
                                                {Choice::SplitCells, {0b111, 3}}};
inline constexpr CodeEntry kPredictedCell[] = {
    {Choice::Spiral, {0b0, 1}}, {Choice::Vector, {0b10, 2}}, {Choice::Still, {0b11, 2}}};

inline constexpr CodeEntry kIntra8x8[] = {{Choice::SplitHalves8x4, {0b00, 2}},
                                          {Choice::SplitHalves4x8, {0b01, 2}},
                                          {Choice::SplitQuarters, {0b10, 2}},
                                          {Choice::Dct, {0b110, 3}},
                                          {Choice::Vector, {0b111, 3}}};
inline constexpr CodeEntry kIntraHalf[] = {{Choice::SplitQuarters, {0b0, 1}}, {Choice::Vector, {0b1, 1}}};
inline constexpr CodeEntry kIntraQuarter[] = {{Choice::Vector, {0b00, 2}},
                                              {Choice::SplitStrips4x2, {0b01, 2}},
                                              {Choice::SplitStrips2x4, {0b10, 2}},
                                              {Choice::SplitCells, {0b11, 2}}};
inline constexpr CodeEntry kIntraStrip[] = {{Choice::Vector, {0b0, 1}}, {Choice::SplitCells, {0b1, 1}}};
// Cells of an intra frame follow their split with no bits of their own.
inline constexpr CodeEntry kIntraCell[] = {{Choice::Vector, {0, 0}}};

// The codes of a level of one frame kind's tree.
constexpr std::span<const CodeEntry> levelCodes(bool intra, Level level) {
    switch (level) {
        case Level::Block8x8: return intra ? std::span<const CodeEntry>(kIntra8x8) : kPredicted8x8;
        case Level::Half8x4:
        case Level::Half4x8: return intra ? std::span<const CodeEntry>(kIntraHalf) : kPredictedHalf;
        case Level::Quarter: return intra ? std::span<const CodeEntry>(kIntraQuarter) : kPredictedQuarter;
        case Level::Strip4x2:
        case Level::Strip2x4: return intra ? std::span<const CodeEntry>(kIntraStrip) : kPredictedStrip;
        default: return intra ? std::span<const CodeEntry>(kIntraCell) : kPredictedCell;
    }
}

constexpr Code findCode(bool intra, Level level, Choice choice) {
    for (const CodeEntry& entry : levelCodes(intra, level))
        if (entry.choice == choice) return entry.code;
    return {0, -1};
}

inline constexpr auto kCodeTable = [] {
    std::array<std::array<std::array<Code, kChoices>, kLevels>, 2> table{};
    for (int intra = 0; intra < 2; ++intra)
        for (int level = 0; level < kLevels; ++level)
            for (int choice = 0; choice < kChoices; ++choice)
                table[size_t(intra)][size_t(level)][size_t(choice)] =
                    findCode(intra != 0, Level(level), Choice(choice));
    return table;
}();

// The control-bit code of a choice at a level; length -1 where it has none.
constexpr Code choiceCode(bool intra, Level level, Choice choice) {
    return kCodeTable[intra ? 1 : 0][size_t(level)][size_t(choice)];
}

// ---- splits ----

// The level a split divides a piece into.
constexpr Level splitLevel(Choice split) {
    switch (split) {
        case Choice::SplitHalves8x4: return Level::Half8x4;
        case Choice::SplitHalves4x8: return Level::Half4x8;
        case Choice::SplitQuarters: return Level::Quarter;
        case Choice::SplitStrips4x2: return Level::Strip4x2;
        case Choice::SplitStrips2x4: return Level::Strip2x4;
        default: return Level::Cell;
    }
}

constexpr bool isSplit(Choice choice) { return choice >= Choice::SplitHalves8x4 && choice <= Choice::SplitCells; }

// The pieces a split divides a piece into, in decoding order: the pieces of
// the split's level that lie inside it, in their numbering. count is 0 where
// neither tree has the split at the piece's level.
struct SplitParts {
    int count;
    std::array<int, 4> pieces;
};

constexpr SplitParts findSplitParts(int piece, Choice split) {
    const Piece& whole = kBlockPieces[size_t(piece)];
    SplitParts parts{0, {}};
    if (!isSplit(split) ||
        (choiceCode(false, whole.level, split).length < 0 && choiceCode(true, whole.level, split).length < 0))
        return parts;
    for (int part = 0; part < kPieces; ++part) {
        const Piece& p = kBlockPieces[size_t(part)];
        if (p.level == splitLevel(split) && p.x >= whole.x && p.x + p.width <= whole.x + whole.width &&
            p.y >= whole.y && p.y + p.height <= whole.y + whole.height)
            parts.pieces[size_t(parts.count++)] = part;
    }
    return parts;
}

inline constexpr auto kSplitTable = [] {
    std::array<std::array<SplitParts, kChoices>, kPieces> table{};
    for (int piece = 0; piece < kPieces; ++piece)
        for (int choice = 0; choice < kChoices; ++choice)
            table[size_t(piece)][size_t(choice)] = findSplitParts(piece, Choice(choice));
    return table;
}();

constexpr const SplitParts& splitParts(int piece, Choice split) { return kSplitTable[size_t(piece)][size_t(split)]; }

// ---- reading ----

// What the `length` bits `prefix` are in a level's codes: a whole code, the
// start of longer codes, or neither.
struct CodeMatch {
    bool whole;
    bool longer;
    Choice choice;
};

constexpr CodeMatch matchCode(bool intra, Level level, uint32_t prefix, int length) {
    CodeMatch match{false, false, Choice::NotACode};
    for (const CodeEntry& entry : levelCodes(intra, level)) {
        if (entry.code.length < length || (entry.code.bits >> (entry.code.length - length)) != prefix) continue;
        if (entry.code.length == length)
            match = {true, false, entry.choice};
        else
            match.longer = true;
    }
    return match;
}

// Reads one choice of a level bit by bit, most significant bit first, each
// from readBit(), and returns act(std::integral_constant<Choice, C>{}) for the
// choice C read (NotACode where the bits are no code). The walk down the tree
// is unrolled at compile time and each leaf calls act with its own constant,
// so it costs what branches written out by hand would.
template <bool Intra, Level AtLevel, uint32_t Prefix = 0, int Length = 0, class ReadBit, class Action>
inline auto readChoice(ReadBit&& readBit, Action&& act) {
    constexpr CodeMatch match = matchCode(Intra, AtLevel, Prefix, Length);
    if constexpr (match.whole) {
        return act(std::integral_constant<Choice, match.choice>{});
    } else if constexpr (!match.longer) {
        return act(std::integral_constant<Choice, Choice::NotACode>{});
    } else {
        if (readBit()) return readChoice<Intra, AtLevel, (Prefix << 1) | 1, Length + 1>(readBit, act);
        return readChoice<Intra, AtLevel, Prefix << 1, Length + 1>(readBit, act);
    }
}

}  // namespace format

// The code trees as data: what the decoder reads back is what the encoder
// writes, and a split's parts tile the piece.

#include "format/code_tree.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace format {
namespace {

// Gives the bits of a code, most significant first, then ones.
struct CodeBits {
    Code code;
    int read = 0;
    uint32_t bit() {
        const int at = read++;
        return at < code.length ? (code.bits >> (code.length - 1 - at)) & 1 : 1;
    }
};

template <bool Intra, Level AtLevel>
void expectEveryCodeReadsBack() {
    for (int choice = 0; choice < kChoices; ++choice) {
        const Code code = choiceCode(Intra, AtLevel, Choice(choice));
        if (code.length < 0) continue;
        CodeBits reader{code};
        const Choice read =
            readChoice<Intra, AtLevel>([&] { return reader.bit(); }, [](auto c) { return decltype(c)::value; });
        EXPECT_EQ(read, Choice(choice)) << "intra " << Intra << ", level " << int(AtLevel);
        EXPECT_EQ(reader.read, code.length) << "intra " << Intra << ", level " << int(AtLevel);
    }
}

template <bool Intra>
void expectEveryLevelReadsBack() {
    expectEveryCodeReadsBack<Intra, Level::Block8x8>();
    expectEveryCodeReadsBack<Intra, Level::Half8x4>();
    expectEveryCodeReadsBack<Intra, Level::Half4x8>();
    expectEveryCodeReadsBack<Intra, Level::Quarter>();
    expectEveryCodeReadsBack<Intra, Level::Strip4x2>();
    expectEveryCodeReadsBack<Intra, Level::Strip2x4>();
    expectEveryCodeReadsBack<Intra, Level::Cell>();
}

TEST(CodeTree, EveryCodeReadsBackAsItsChoiceAndOnly1111IsNoCode) {
    expectEveryLevelReadsBack<false>();
    expectEveryLevelReadsBack<true>();
    CodeBits ones{{0, 0}};  // nothing but ones
    EXPECT_EQ(
        (readChoice<false, Level::Block8x8>([&] { return ones.bit(); }, [](auto c) { return decltype(c)::value; })),
        Choice::NotACode);
    EXPECT_EQ(ones.read, 4);
}

TEST(CodeTree, SplitPartsTileThePieceInTheirLevel) {
    for (int piece = 0; piece < kPieces; ++piece) {
        const Piece& whole = kBlockPieces[size_t(piece)];
        EXPECT_EQ(pieceNumber(piece), piece - kFirstPiece[size_t(whole.level)]);
        for (int choice = 0; choice < kChoices; ++choice) {
            const SplitParts& parts = splitParts(piece, Choice(choice));
            if (parts.count == 0) continue;
            int area = 0;
            for (int i = 0; i < parts.count; ++i) {
                const Piece& part = kBlockPieces[size_t(parts.pieces[size_t(i)])];
                EXPECT_EQ(part.level, splitLevel(Choice(choice)));
                area += part.width * part.height;
            }
            EXPECT_EQ(area, whole.width * whole.height) << "piece " << piece << ", choice " << choice;
        }
    }
    EXPECT_EQ(splitParts(0, Choice::SplitQuarters).count, 4);
    EXPECT_EQ(splitParts(kFirstPiece[size_t(Level::Half4x8)] + 1, Choice::SplitQuarters).pieces[1],
              kFirstPiece[size_t(Level::Quarter)] + 3);  // the right half's lower quarter
    EXPECT_EQ(splitParts(kFirstPiece[size_t(Level::Cell)], Choice::SplitCells).count, 0);
}

}  // namespace
}  // namespace format

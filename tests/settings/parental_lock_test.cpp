// The parental lock's three numbers: the format's signed byte arithmetic and
// which codes survive a round trip.

#include <gtest/gtest.h>

#include "setup/settings/parental_lock.h"

namespace setup {
namespace {

TEST(ParentalLock, PlainCodesAndEveryLevelComeBack) {
    for (std::string code : {"abc", "", "Unset", "12345678", "Z~ !"}) {
        for (int level : {0, 3, 128, 255}) {
            ParentalLockWords w = encodeParentalLock(code, level);
            EXPECT_EQ(decodeParentalCode(w.codeLow, w.codeHigh), code);
            EXPECT_EQ(decodeParentalLevel(w.level), level);
        }
    }
}

TEST(ParentalLock, OnlyTheFirstEightCharactersAreStored) {
    ParentalLockWords w = encodeParentalLock("abcdefghijk", 3);
    EXPECT_EQ(decodeParentalCode(w.codeLow, w.codeHigh), "abcdefgh");
}

TEST(ParentalLock, EmptyCodeAndLevelMaskWords) {
    ParentalLockWords w = encodeParentalLock("", 255);
    // All bytes zero, shifted down by 1..8: -1, -2, -3, -4 as signed bytes.
    EXPECT_EQ(w.codeLow, ~(((-4 * 256 - 3) * 256 - 2) * 256 - 1));
    EXPECT_EQ(w.codeHigh, ~(((-8 * 256 - 7) * 256 - 6) * 256 - 5));
    EXPECT_EQ(static_cast<std::uint32_t>(w.level), ~(0x00FF0000u | levelMask));
}

// A shifted byte of 128 or more borrows from the byte above: the format
// stores that, and such a code does not come back as it was.
TEST(ParentalLock, HighBytesBorrowFromTheNextCharacter) {
    std::string code =
        "\x85"
        "b";  // 0x85 - 1 = 0x84, negative as a signed byte
    ParentalLockWords w = encodeParentalLock(code, 0);
    std::uint32_t v = ~static_cast<std::uint32_t>(w.codeLow);
    EXPECT_EQ(v & 0xFF, 0x84u);
    EXPECT_EQ((v >> 8) & 0xFF, static_cast<std::uint32_t>('b' - 2 - 1));
    EXPECT_EQ(decodeParentalCode(w.codeLow, w.codeHigh).substr(0, 2),
              "\x85"
              "a");
}

}  // namespace
}  // namespace setup

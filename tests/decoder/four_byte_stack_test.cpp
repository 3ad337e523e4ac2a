// The calls of the four-byte-stack build do reach the library at every
// misalignment: a function that answers where the caller's stack was.

#include <gtest/gtest.h>

#include <set>

extern "C" uint32_t orvStackAtCall(uint32_t);
asm(".globl _orvStackAtCall\n_orvStackAtCall:\n\tleal 4(%esp), %eax\n\tret\n");

namespace decoder::test {
namespace {

TEST(FourByteStack, CallsComeAtEachMisalignmentByTurns) {
    std::set<uint32_t> seen;
    for (int call = 0; call < 3; ++call) seen.insert(onFourByteStack(&orvStackAtCall, 7) % 16);
    EXPECT_EQ(seen, (std::set<uint32_t>{4, 8, 12}));
}

}  // namespace
}  // namespace decoder::test

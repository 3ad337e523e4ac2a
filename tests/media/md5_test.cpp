#include "media/md5.h"

#include <gtest/gtest.h>

#include <string>

namespace media {
namespace {

std::string md5(const std::string& text) {
    Md5 digest;
    digest.update(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    return digest.finishHex();
}

TEST(Md5, MatchesTheReferenceDigests) {
    EXPECT_EQ(md5(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(md5("abc"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(md5("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
    EXPECT_EQ(md5("12345678901234567890123456789012345678901234567890123456789012345678901234567890"),
              "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5, PiecesGiveTheDigestOfTheWhole) {
    const std::string text(1000, 'x');
    Md5 pieces;
    for (size_t at = 0; at < text.size(); at += 37)
        pieces.update(reinterpret_cast<const uint8_t*>(text.data()) + at, std::min<size_t>(37, text.size() - at));
    EXPECT_EQ(pieces.finishHex(), md5(text));
    EXPECT_EQ(pieces.finishHex(), md5(""));  // it starts over
}

}  // namespace
}  // namespace media

// The exported C entry points. The process-wide decoder is shared by every
// test here, so the test before any initialisation comes first.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "decoder/interface/vk6_640x16.h"
#include "tests/decoder/frame_builder.h"
#include "tests/decoder/turn_decoding.h"

namespace {

using decoder::test::FrameBuilder;

using decoder::test::kPictureWidth;

// An intra frame of flat mid-grey DCT blocks, 8 rows high.
std::vector<uint8_t> greyFrame() {
    FrameBuilder frame;
    for (int i = 0; i < 80; ++i) {
        frame.control.code("110");
        frame.dcBlock(0);
    }
    return frame.build(-50);
}

uint16_t decodeGrey() {
    const auto frame = greyFrame();
    std::vector<uint16_t> reference(kPictureWidth * 8, 0), target(kPictureWidth * 8, 0);
    if (XQMPI_DecodeFrame(frame.data(), reference.data(), target.data()) != 1) return 0;
    return target[kPictureWidth * 8 - 1];
}

TEST(Interface, DecodingBeforeInitReturnsZeroAndTouchesNothing) {
    const auto frame = greyFrame();
    std::vector<uint16_t> reference(kPictureWidth * 8, 1), target(kPictureWidth * 8, 2);
    EXPECT_EQ(XQMPI_DecodeFrame(frame.data(), reference.data(), target.data()), 0);
    EXPECT_EQ(XQMPI_DecodeFrameBounded(frame.data(), uint32_t(frame.size()), reference.data(), target.data()), 0);
    EXPECT_EQ(target, std::vector<uint16_t>(kPictureWidth * 8, 2));
    EXPECT_EQ(XQMPI_Cleanup(), 1);
}

TEST(Interface, InitAcceptsTheMagicInAnyCase) {
    EXPECT_EQ(XQMPI_Init(16, 480, 640, "XQM6"), 1);
    EXPECT_EQ(XQMPI_Init(16, 480, 640, "xqm6"), 1);
    EXPECT_EQ(XQMPI_Init(15, 0, 640, "XqM6"), 1);
}

TEST(Interface, RejectedInitLeavesTheEarlierTables) {
    ASSERT_EQ(XQMPI_Init(16, 8, 640, "XQM6"), 1);
    ASSERT_EQ(decodeGrey(), 0x8410);
    const char* const badHeaders[] = {"XQM6A", "XQM", "", "XQM7", "YQM6"};
    for (const char* header : badHeaders) EXPECT_EQ(XQMPI_Init(15, 8, 640, header), 0) << header;
    EXPECT_EQ(XQMPI_Init(15, 481, 640, "XQM6"), 0);
    EXPECT_EQ(XQMPI_Init(15, 8, 320, "XQM6"), 0);
    EXPECT_EQ(XQMPI_Init(24, 8, 640, "XQM6"), 0);
    EXPECT_EQ(XQMPI_Init(15, 8, 640, nullptr), 0);
    EXPECT_EQ(decodeGrey(), 0x8410);  // still 5-6-5
    ASSERT_EQ(XQMPI_Init(15, 8, 640, "XQM6"), 1);
    EXPECT_EQ(decodeGrey(), 0x4210);
}

// The checks run in their fixed order: the header is not even read when the
// height or the width is refused.
TEST(Interface, InitChecksHeightAndWidthBeforeTheHeader) {
    const char* unreadable = reinterpret_cast<const char*>(uintptr_t{16});
    EXPECT_EQ(XQMPI_Init(16, 481, 640, unreadable), 0);
    EXPECT_EQ(XQMPI_Init(16, 480, 320, unreadable), 0);
    EXPECT_EQ(XQMPI_Init(24, 480, 640, "XQM6"), 0);
    EXPECT_EQ(XQMPI_Init(16, 480, 640, "XQM6"), 1);
}

// A frame cut short is abandoned: at its header when the nibble end lies past
// the cut, at the first block whose nibbles are missing when it does not.
TEST(Interface, BoundedDecodingAbandonsFramesCutShort) {
    ASSERT_EQ(XQMPI_Init(16, 8, 640, "XQM6"), 1);
    FrameBuilder builder;
    for (int i = 0; i < 80; ++i) {
        builder.control.code("110");
        builder.dcBlock(40);
    }
    const auto frame = builder.build(-50);
    const uint32_t nibbleOffset = frame[16] | frame[17] << 8;
    std::vector<uint16_t> reference(kPictureWidth * 8, 0), target(kPictureWidth * 8, 0);
    ASSERT_EQ(XQMPI_DecodeFrameBounded(frame.data(), uint32_t(frame.size()), reference.data(), target.data()), 1);
    const uint16_t coloured = target[0];
    EXPECT_NE(coloured, 0x8410);

    std::vector<uint8_t> cut(frame.begin(), frame.begin() + nibbleOffset + 45);  // 10 blocks' nibbles
    std::vector<uint16_t> untouched(kPictureWidth * 8, 7);
    target = untouched;
    EXPECT_EQ(XQMPI_DecodeFrameBounded(cut.data(), uint32_t(cut.size()), reference.data(), target.data()), 0);
    EXPECT_EQ(target, untouched);

    const uint32_t cutEnd = uint32_t(cut.size());
    for (int i = 0; i < 4; ++i) cut[20 + i] = uint8_t(cutEnd >> (8 * i));
    EXPECT_EQ(XQMPI_DecodeFrameBounded(cut.data(), uint32_t(cut.size()), reference.data(), target.data()), 0);
    EXPECT_EQ(target[9 * 8 + 7], coloured);
    EXPECT_EQ(target[10 * 8], 7) << "the 11th block's nibbles lie past the end";
    EXPECT_EQ(XQMPI_Cleanup(), 1);
}

}  // namespace

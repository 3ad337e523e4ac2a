// Why and where a frame is abandoned, through the handle interface: a frame
// for every error code and its exact report; the same frames through the
// process-wide entry points; concealment. Comes after interface_test.cpp,
// whose first test needs the process-wide decoder uninitialised.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "decoder/interface/vk6_640x16.h"
#include "tests/decoder/frame_builder.h"
#include "tests/decoder/turn_decoding.h"

namespace decoder {
namespace {

using test::BitWriter;
using test::farWord;
using test::FrameBuilder;
using test::kPictureWidth;
using test::nearWord;
using test::NibbleWriter;

constexpr int kRows = 8;
constexpr int kNibbleSkip1 = 14, kNibbleSkip5 = 1, kNibble3 = 13;

std::vector<uint16_t> noise(unsigned seed) {
    std::vector<uint16_t> pixels(kPictureWidth * kRows);
    std::mt19937 random(seed);
    for (uint16_t& pixel : pixels) pixel = uint16_t(random());
    return pixels;
}

int32_t headerWord(const std::vector<uint8_t>& frame, int index) {
    int32_t word;
    std::memcpy(&word, frame.data() + 4 * index, 4);
    return word;
}

void setHeaderWord(std::vector<uint8_t>& frame, int index, int32_t word) {
    std::memcpy(frame.data() + 4 * index, &word, 4);
}

// The streams of a frame with no bytes to spare: each begins where the one
// before it ends, in the order `order` names them (c, v, s, n), and the last
// ends at the frame's end.
struct TightFrame {
    std::vector<uint8_t> control, vectors, spirals, nibbles;

    std::vector<uint8_t> build(int32_t qualityWord, std::string_view order = "cvsn") const {
        std::vector<uint8_t> frame(24, 0);
        int32_t offsets[4] = {};
        for (char name : order) {
            const int stream = int(std::string_view("cvsn").find(name));
            const std::vector<uint8_t>& bytes = *(&control + stream);
            offsets[stream] = int32_t(frame.size());
            frame.insert(frame.end(), bytes.begin(), bytes.end());
        }
        setHeaderWord(frame, 0, qualityWord);
        for (int stream = 0; stream < 4; ++stream) setHeaderWord(frame, 1 + stream, offsets[stream]);
        setHeaderWord(frame, 5, offsets[3] + int32_t(nibbles.size()));
        return frame;
    }
};

std::vector<uint8_t> controlBytes(std::string_view code, int repeats = 1) {
    BitWriter bits;
    for (int i = 0; i < repeats; ++i) bits.code(code);
    return bits.bytes();
}

// `count` spiral copies with index 1, which copies the block in place.
std::vector<uint8_t> spiralBytes(int count) {
    encoder::SpiralIndexWriter spirals;
    for (int i = 0; i < count; ++i) spirals.put(1);
    return spirals.bytes();
}

std::string describe(const XQMPI_ErrorReport& r) {
    return "code " + std::to_string(r.code) + " (" + XQMPI_DecoderErrorText(r.code) + "), block (" +
           std::to_string(r.x) + ", " + std::to_string(r.y) + "), piece " + std::to_string(r.pieceShape) + " #" +
           std::to_string(r.pieceIndex) + ", stream " + std::to_string(r.stream) + " at " + std::to_string(r.offset);
}

constexpr XQMPI_ErrorReport kWhole = {XQMPI_ERROR_NONE, -1, -1, 0, -1, XQMPI_STREAM_HEADER, 0};

class ErrorReportTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(decoder, nullptr); }
    void TearDown() override { XQMPI_DestroyDecoder(decoder); }

    // Decodes through the handle into a fresh copy of `before`.
    int32_t decode(const std::vector<uint8_t>& frame, bool withReference = true) {
        target = before;
        return XQMPI_DecoderDecodeFrame(decoder, frame.data(), uint32_t(frame.size()),
                                        withReference ? reference.data() : nullptr, target.data());
    }
    XQMPI_ErrorReport report() const {
        XQMPI_ErrorReport r;
        EXPECT_EQ(XQMPI_DecoderLastError(decoder, &r), r.code);
        return r;
    }
    void expectReport(const std::vector<uint8_t>& frame, const XQMPI_ErrorReport& expected, bool withReference = true) {
        EXPECT_EQ(decode(frame, withReference), expected.code == XQMPI_ERROR_NONE ? 1 : 0) << describe(expected);
        EXPECT_EQ(describe(report()), describe(expected));
    }

    XQMPI_Decoder* decoder = XQMPI_CreateDecoder(16, kRows);
    const std::vector<uint16_t> reference = noise(1), before = noise(2);
    std::vector<uint16_t> target;
};

// ---- one frame per code, its report exact ----

TEST_F(ErrorReportTest, FramesOfTheFrameAsAWholeReportTheHeader) {
    FrameBuilder still;
    for (int i = 0; i < 80; ++i) still.control.code("110");
    const auto frame = still.build(50);
    expectReport(frame, {XQMPI_ERROR_NO_REFERENCE, -1, -1, 0, -1, XQMPI_STREAM_HEADER, 0}, false);

    struct Case {
        int word;
        int32_t value;
    };
    const int32_t size = int32_t(frame.size());
    for (const Case c : {Case{1, -4}, Case{2, size + 1}, Case{3, INT32_MAX}, Case{4, size + 2}, Case{5, size + 3},
                         Case{5, headerWord(frame, 4) - 1}}) {
        auto broken = frame;
        setHeaderWord(broken, c.word, c.value);
        if (c.word == 4) setHeaderWord(broken, 5, size + 2);  // the nibble start alone lies outside
        SCOPED_TRACE(c.word);
        expectReport(broken, {XQMPI_ERROR_HEADER_OFFSET, -1, -1, 0, -1, XQMPI_STREAM_HEADER, uint32_t(4 * c.word)});
    }
    auto atTheEnd = frame;  // offsets equal to the size are streams that are empty
    setHeaderWord(atTheEnd, 2, size);
    expectReport(atTheEnd, kWhole);
}

TEST_F(ErrorReportTest, UnassignedCodesReportTheControlWordTheyEndIn) {
    FrameBuilder early;
    early.control.code("110 110 110 1111");
    auto frame = early.build(50);
    expectReport(frame, {XQMPI_ERROR_NOT_A_CODE, 24, 0, 0, -1, XQMPI_STREAM_CONTROL, uint32_t(headerWord(frame, 1))});

    XQMPI_DestroyDecoder(decoder);
    decoder = XQMPI_CreateDecoder(16, 2 * kRows);
    FrameBuilder late;
    for (int i = 0; i < 81; ++i) late.control.code("110");
    late.control.code("1111");  // bits 243 to 246: the control stream's eighth word
    frame = late.build(50);
    target.assign(kPictureWidth * 2 * kRows, 0);
    const std::vector<uint16_t> tall(kPictureWidth * 2 * kRows, 7);
    EXPECT_EQ(XQMPI_DecoderDecodeFrame(decoder, frame.data(), uint32_t(frame.size()), tall.data(), target.data()), 0);
    EXPECT_EQ(describe(report()), describe({XQMPI_ERROR_NOT_A_CODE, 8, 8, 0, -1, XQMPI_STREAM_CONTROL,
                                            uint32_t(headerWord(frame, 1) + 28)}));
}

TEST_F(ErrorReportTest, CopiesOutsideThePictureReportTheirPieceAndVector) {
    struct Case {
        const char* what;
        const char* code;
        std::vector<uint16_t> vectors;
        std::vector<uint16_t> spirals;
        XQMPI_ErrorReport expected;  // offset: from the start of the vector or spiral stream
    };
    const Case cases[] = {
        {"8x8 far copy below the reference", "010 000", {farWord(128, 0)}, {}, {6, 0, 0, 88, 0, 2, 0}},
        {"quarter 2 far copy", "1110 100 100 01000", {farWord(128, 0)}, {}, {6, 0, 0, 44, 2, 2, 0}},
        {"strip 1 near copy", "1110 101 110 10", {nearWord(4095, 0)}, {}, {6, 0, 0, 42, 1, 2, 0}},
        {"cell 2 near copy after two",
         "1110 111 11 10 10",
         {nearWord(2015, 0), nearWord(4095, 0)},
         {},
         {6, 0, 0, 22, 2, 2, 2}},
        {"third spiral copy", "110 110 110 110 110 00 00 00", {}, {1, 1, 4095}, {6, 56, 0, 88, 0, 3, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FrameBuilder builder;
        builder.control.code(c.code);
        for (uint16_t word : c.vectors) builder.vector(word);
        for (uint16_t index : c.spirals) builder.spiral(index);
        const auto frame = builder.build(50);
        XQMPI_ErrorReport expected = c.expected;
        expected.offset += uint32_t(headerWord(frame, expected.stream == XQMPI_STREAM_VECTOR ? 2 : 3));
        expectReport(frame, expected);
    }
}

TEST_F(ErrorReportTest, MalformedDctBlocksReportTheNibbleByteTheyStopIn) {
    FrameBuilder past63;
    past63.control.code("110 110");
    past63.dcBlock(1);
    past63.nibbles.byteValue(1);
    past63.nibbles.put(kNibbleSkip1);
    for (int i = 0; i < 21; ++i) past63.nibbles.put({kNibble3, 1, 1, 1});  // the 21st code reaches 65
    auto frame = past63.build(-50);
    // 9 cells, then 2 + 1 + 20 x 4 and the code itself: the 93rd cell, in byte 46.
    expectReport(frame, {XQMPI_ERROR_COEFFICIENT_PAST_63, 8, 0, 0, -1, XQMPI_STREAM_NIBBLE,
                         uint32_t(headerWord(frame, 4) + 46)});

    FrameBuilder skips;
    skips.control.code("110");
    skips.nibbles.dcOnly(1);
    skips.nibbles.byteValue(1);
    for (int i = 0; i < 40; ++i) skips.nibbles.put(kNibbleSkip5);  // the 26th skip passes 128
    frame = skips.build(-50);
    expectReport(frame,
                 {XQMPI_ERROR_TOO_MANY_SKIPS, 0, 0, 0, -1, XQMPI_STREAM_NIBBLE, uint32_t(headerWord(frame, 4) + 15)});
}

// ---- streams used to their last byte, and past it ----

TEST_F(ErrorReportTest, StreamsUsedToTheirLastByteDecodeWhole) {
    TightFrame spirals{controlBytes("00", 80), {}, spiralBytes(80), {}};
    ASSERT_EQ(spirals.control.size(), 20u) << "five words used up: the reader loads a sixth past the end";
    expectReport(spirals.build(50, "vsnc"), kWhole);

    TightFrame firstIndexOnly{controlBytes(std::string(79 * 2, '0') + "110"), {}, spiralBytes(79), {}};
    firstIndexOnly.spirals.pop_back();
    ASSERT_EQ(firstIndexOnly.spirals.size(), 119u) << "the last index pair's second half is missing";
    expectReport(firstIndexOnly.build(50, "cvns"), kWhole);

    TightFrame dct{controlBytes("110", 80), {}, {}, {}};
    NibbleWriter nibbles;
    for (int i = 0; i < 80 * 3; ++i) nibbles.dcOnly(i % 7);
    dct.nibbles = nibbles.bytes();
    expectReport(dct.build(-50), kWhole);
}

TEST_F(ErrorReportTest, StreamsUsedPastTheirEndReportTheBlockThatDidSo) {
    TightFrame control{controlBytes("00", 64), {}, spiralBytes(80), {}};
    auto frame = control.build(50, "vsnc");
    expectReport(frame, {XQMPI_ERROR_CONTROL_PAST_END, 512, 0, 0, -1, XQMPI_STREAM_CONTROL,
                         uint32_t(headerWord(frame, 1) + 16)});

    TightFrame spiral{controlBytes("00", 80), {}, spiralBytes(80), {}};
    spiral.spirals.pop_back();
    frame = spiral.build(50, "cvns");
    expectReport(
        frame, {XQMPI_ERROR_SPIRAL_PAST_END, 632, 0, 0, -1, XQMPI_STREAM_SPIRAL, uint32_t(headerWord(frame, 3) + 117)});

    // The missing vector reads as zero, whose copy would leave the picture:
    // the stream's end is the cause reported.
    TightFrame vector{controlBytes("010 000"), {}, {}, {}};
    frame = vector.build(50, "csnv");
    expectReport(frame,
                 {XQMPI_ERROR_VECTOR_PAST_END, 0, 0, 0, -1, XQMPI_STREAM_VECTOR, uint32_t(headerWord(frame, 2))});

    TightFrame nibble{controlBytes("110"), {}, {}, {}};
    NibbleWriter twoComponents;
    twoComponents.dcOnly(1);
    twoComponents.dcOnly(2);
    nibble.nibbles = twoComponents.bytes();
    frame = nibble.build(-50);
    // Cr's three cells lie past the end; the ninth cell is in byte 4.
    expectReport(frame,
                 {XQMPI_ERROR_NIBBLE_PAST_END, 0, 0, 0, -1, XQMPI_STREAM_NIBBLE, uint32_t(headerWord(frame, 4) + 4)});
}

// ---- the process-wide entry points ----

// Frames whose fault the unbounded decode sees too: it returns 0 there and
// leaves the same picture as the handle.
TEST_F(ErrorReportTest, TheProcessWideDecoderAbandonsTheSameFramesAlike) {
    ASSERT_EQ(XQMPI_Init(16, kRows, kPictureWidth, "XQM6"), 1);
    std::vector<std::vector<uint8_t>> frames;
    for (const char* code : {"110 110 110 1111", "010 000", "1110 111 11 10 10"}) {
        FrameBuilder builder;
        builder.control.code(code);
        builder.vector(farWord(128, 0));
        builder.vector(nearWord(4095, 0));
        frames.push_back(builder.build(50));
    }
    FrameBuilder skips;
    skips.control.code("110 110");
    skips.nibbles.dcOnly(3);
    for (int i = 0; i < 40; ++i) skips.nibbles.put(kNibbleSkip5);
    frames.push_back(skips.build(-50));
    for (size_t i = 0; i < frames.size(); ++i) {
        ASSERT_EQ(decode(frames[i]), 0) << i;
        std::vector<uint16_t> legacy = before, bounded = before;
        EXPECT_EQ(XQMPI_DecodeFrame(frames[i].data(), reference.data(), legacy.data()), 0) << i;
        EXPECT_EQ(
            XQMPI_DecodeFrameBounded(frames[i].data(), uint32_t(frames[i].size()), reference.data(), bounded.data()), 0)
            << i;
        EXPECT_TRUE(legacy == target && bounded == target) << i;
    }
}

// ---- concealment ----

TEST_F(ErrorReportTest, ConcealmentShowsTheReferenceFromTheFailedBlockOn) {
    XQMPI_DestroyDecoder(decoder);
    constexpr int kTall = 3 * kRows;
    decoder = XQMPI_CreateDecoder(16, kTall);
    std::vector<uint16_t> tallReference(kPictureWidth * kTall), tallBefore(kPictureWidth * kTall);
    std::mt19937 random(3);
    for (uint16_t& pixel : tallReference) pixel = uint16_t(random());
    for (uint16_t& pixel : tallBefore) pixel = uint16_t(random());

    // Row 0 and the first three blocks of row 1 take the reference's block to
    // their right; the fourth has no code.
    FrameBuilder builder;
    for (int i = 0; i < 83; ++i) {
        builder.control.code("010 000");
        builder.vector(farWord(120, 64));
    }
    builder.control.code("1111");
    const auto frame = builder.build(50);

    auto decodeTall = [&](int32_t conceal) {
        EXPECT_EQ(XQMPI_DecoderSetConcealment(decoder, conceal), 1);
        std::vector<uint16_t> picture = tallBefore;
        EXPECT_EQ(XQMPI_DecoderDecodeFrame(decoder, frame.data(), uint32_t(frame.size()), tallReference.data(),
                                           picture.data()),
                  0);
        EXPECT_EQ(describe(report()), describe({XQMPI_ERROR_NOT_A_CODE, 24, 8, 0, -1, XQMPI_STREAM_CONTROL,
                                                uint32_t(headerWord(frame, 1) + 60)}));
        return picture;
    };
    const std::vector<uint16_t> plain = decodeTall(0), concealed = decodeTall(1);
    for (int y = 0; y < kTall; ++y) {
        for (int x = 0; x < kPictureWidth; ++x) {
            const size_t i = size_t(y) * kPictureWidth + x;
            const bool decoded = y < 8 || (y < 16 && x < 24);
            if (decoded) {
                const int sourceX = (x / 8 == 79) ? x % 8 : x + 8;  // the last block's vector wraps to column 0
                ASSERT_EQ(concealed[i], tallReference[size_t(y) * kPictureWidth + sourceX]) << x << ", " << y;
                ASSERT_EQ(plain[i], concealed[i]) << x << ", " << y;
            } else {
                ASSERT_EQ(concealed[i], tallReference[i]) << x << ", " << y;
                ASSERT_EQ(plain[i], tallBefore[i]) << x << ", " << y;
            }
        }
    }
}

TEST_F(ErrorReportTest, ConcealmentOfAFrameAsAWholeShowsTheReference) {
    ASSERT_EQ(XQMPI_DecoderSetConcealment(decoder, 1), 1);
    FrameBuilder builder;
    builder.control.code("110");
    auto frame = builder.build(50);
    setHeaderWord(frame, 5, -1);
    EXPECT_EQ(decode(frame), 0);
    EXPECT_EQ(target, reference);
    // An intra frame without a reference has nothing to show instead.
    setHeaderWord(frame, 0, -50);
    EXPECT_EQ(decode(frame, false), 0);
    EXPECT_EQ(target, before);
}

TEST(ErrorReportInterface, NullHandlesAndUnknownCodes) {
    XQMPI_ErrorReport report;
    EXPECT_EQ(XQMPI_DecoderLastError(nullptr, &report), XQMPI_ERROR_NULL_ARGUMENT);
    EXPECT_EQ(report.code, XQMPI_ERROR_NULL_ARGUMENT);
    EXPECT_EQ(XQMPI_DecoderSetConcealment(nullptr, 1), 0);
    EXPECT_STREQ(XQMPI_DecoderErrorText(XQMPI_ERROR_NONE), "no error");
    EXPECT_STREQ(XQMPI_DecoderErrorText(XQMPI_ERROR_NOT_A_CODE), "the code 1111 is not a code");
    EXPECT_STREQ(XQMPI_DecoderErrorText(-1), XQMPI_DecoderErrorText(XQMPI_ERROR_NIBBLE_PAST_END + 1));
    EXPECT_STRNE(XQMPI_DecoderErrorText(-1), XQMPI_DecoderErrorText(XQMPI_ERROR_NONE));

    XQMPI_Decoder* decoder = XQMPI_CreateDecoder(16, kRows);
    EXPECT_EQ(XQMPI_DecoderLastError(decoder, nullptr), XQMPI_ERROR_NONE) << "before any decode";
    uint16_t picture[kPictureWidth * kRows] = {};
    EXPECT_EQ(XQMPI_DecoderDecodeFrame(decoder, nullptr, 0, picture, picture), 0);
    EXPECT_EQ(XQMPI_DecoderLastError(decoder, nullptr), XQMPI_ERROR_NULL_ARGUMENT);
    XQMPI_DestroyDecoder(decoder);
}

}  // namespace
}  // namespace decoder

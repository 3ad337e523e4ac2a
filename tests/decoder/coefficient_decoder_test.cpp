#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "decoder/vk6_internal.h"
#include "tests/decoder/frame_builder.h"

namespace decoder {

using format::DecodeError;
using enum format::CoefficientCode;
namespace {

using test::NibbleWriter;

// Every case runs through the decoder of each kernel level the processor
// runs: the reference, and the table-driven one compiled for each level.
class CoefficientDecoderTest : public ::testing::TestWithParam<KernelLevel> {
protected:
    CoefficientDecoderTest() {
        buildPositionTables(geometry);
        buildDequantTables(50, dequant);
    }

    void SetUp() override {
        if (GetParam() > bestKernelLevel()) GTEST_SKIP() << "the processor does not run this level";
    }

    void prime(const NibbleWriter& writer) { prime(writer.bytes()); }
    void prime(std::vector<uint8_t> bytes) {
        stream = std::move(bytes);
        frame = std::make_unique<FrameBytes>(stream.data(), int64_t(stream.size()));
        window->prime(*frame, 0, int64_t(stream.size()));
    }
    DecodeError read() { return kernelsFor(GetParam()).decodeCoefficients(*window, geometry, dequant, blocks); }
    bool decode() { return read() == DecodeError::None; }

    int32_t at(int component, int zigzag) const { return blocks.block(component)[kZigzagToNatural[zigzag]]; }
    int32_t factor(int component, int zigzag) const { return dequant[component][zigzag]; }

    GeometryTables geometry{};
    DequantTables dequant{};
    std::unique_ptr<NibbleWindow> window = std::make_unique<NibbleWindow>();
    CoefficientBlocks blocks{};
    std::vector<uint8_t> stream;
    std::unique_ptr<FrameBytes> frame;
};

TEST_P(CoefficientDecoderTest, DcOnlyBlocksTakeThreeNibblesEach) {
    NibbleWriter w;
    w.dcOnly(5);
    w.dcOnly(-3);
    w.dcOnly(127);
    w.dcOnly(-128);
    prime(w);
    ASSERT_TRUE(decode());
    EXPECT_EQ(at(0, 0), 5 * 32);
    EXPECT_EQ(at(1, 0), -3 * 34);
    EXPECT_EQ(at(2, 0), 127 * 34);
    for (uint32_t mask : blocks.blockMask) EXPECT_EQ(mask, 0x0101u);
    EXPECT_EQ(window->readIndex(), 9);
    ASSERT_TRUE(decode());
    EXPECT_EQ(at(0, 0), -128 * 32);
}

TEST_P(CoefficientDecoderTest, LowNibbleComesFirst) {
    NibbleWriter w;
    w.put({0, 5, 2, 0});
    ASSERT_EQ(w.bytes(), (std::vector<uint8_t>{0x50, 0x02}));
    w.dcOnly(0);
    w.dcOnly(0);
    prime(w);
    ASSERT_TRUE(decode());
    EXPECT_EQ(at(0, 0), 5 * 32);
    EXPECT_EQ(at(0, 1), 0);
    EXPECT_EQ(blocks.block(0)[8], factor(0, 2));
    EXPECT_EQ(blocks.blockMask[0], 0x0301u);
    EXPECT_EQ(window->readIndex(), 4 + 6);
}

TEST_P(CoefficientDecoderTest, RunCodesSkipZerosAndWriteTheirLevels) {
    NibbleWriter w;
    w.dcOnly(0);
    // RunSmall, run field 1 and s = 3: two zeros, then five small levels;
    // the low two bits of f are ignored.
    w.byteValue(1);
    w.put({RunSmall, 0b0111, 0b0110, 0b1100, 0b0011});
    w.put({RunNibble, 0b0001, 7, 8});  // one zero, then +8, -8
    w.put(EndOfBlock);
    // Skip5 then Zero3Minus from position 1: -1 at position 9.
    w.byteValue(0);
    w.put({Skip5, Zero3Minus, SmallPair, 0b0011, Literal, 0xF, 0xE, EndOfBlock});
    prime(w);
    ASSERT_TRUE(decode());
    EXPECT_EQ(at(0, 0), 0);  // Y: DC only
    EXPECT_EQ(at(1, 0), 34);
    EXPECT_EQ(at(1, 1), 0);
    EXPECT_EQ(at(1, 2), 0);
    const int levels[] = {+2, -2, -1, +1, +1};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(at(1, 3 + i), levels[i] * factor(1, 3 + i)) << i;
    EXPECT_EQ(at(1, 8), 0);
    EXPECT_EQ(at(1, 9), 8 * factor(1, 9));
    EXPECT_EQ(at(1, 10), -8 * factor(1, 10));
    EXPECT_EQ(at(2, 9), -factor(2, 9));
    EXPECT_EQ(at(2, 10), factor(2, 10));
    EXPECT_EQ(at(2, 11), -factor(2, 11));
    EXPECT_EQ(at(2, 12), -2 * factor(2, 12));
    for (int p = 1; p < 9; ++p) EXPECT_EQ(at(2, p), 0) << p;
}

TEST_P(CoefficientDecoderTest, ABlockEndsByCountAtPosition63) {
    NibbleWriter w;
    w.byteValue(1);
    for (int i = 0; i < 21; ++i) w.put({Nibble3, 0, 1, 15});  // +1, +2, -1
    w.dcOnly(2);                                              // Cb's DC follows directly
    w.byteValue(3);
    for (int i = 0; i < 63; ++i) w.put({Nibble1, 7});
    w.dcOnly(4);  // the next DCT block follows directly
    w.dcOnly(0);
    w.dcOnly(0);
    prime(w);
    ASSERT_TRUE(decode());
    EXPECT_EQ(at(0, 63), -factor(0, 63));
    EXPECT_EQ(at(0, 62), 2 * factor(0, 62));
    EXPECT_EQ(blocks.blockMask[0], 0xFFFFu);
    EXPECT_EQ(at(1, 0), 2 * 34);
    EXPECT_EQ(at(2, 63), 8 * factor(2, 63));
    ASSERT_TRUE(decode());
    EXPECT_EQ(at(0, 0), 4 * 32);
}

TEST_P(CoefficientDecoderTest, SkipToTheEndFollowedByEndOfBlockIsNormal) {
    NibbleWriter w;
    w.byteValue(1);
    for (int i = 0; i < 12; ++i) w.put(Skip5);
    w.put({Skip1, Skip1, Skip1, EndOfBlock});  // the last skip reaches 64
    w.dcOnly(6);
    w.dcOnly(7);
    prime(w);
    ASSERT_TRUE(decode());
    EXPECT_EQ(blocks.blockMask[0], 0x0101u);
    EXPECT_EQ(at(1, 0), 6 * 34);
    EXPECT_EQ(at(2, 0), 7 * 34);
}

TEST_P(CoefficientDecoderTest, MalformedBlocksAreRejected) {
    NibbleWriter pastTheEnd;
    pastTheEnd.byteValue(1);
    for (int i = 0; i < 12; ++i) pastTheEnd.put(Skip5);
    pastTheEnd.put({Skip1, Nibble3, 1, 1, 1});  // positions 62, 63 and one beyond
    prime(pastTheEnd);
    EXPECT_EQ(read(), DecodeError::CoefficientPast63);
    EXPECT_EQ(window->cellsRead(), 2 + 12 + 2) << "the cursor stands after the rejected code";

    NibbleWriter endlessSkips;
    endlessSkips.byteValue(1);
    for (int i = 0; i < 40; ++i) endlessSkips.put(Skip5);
    prime(endlessSkips);
    EXPECT_EQ(read(), DecodeError::TooManySkips);
    EXPECT_EQ(window->cellsRead(), 2 + 26);
}

TEST_P(CoefficientDecoderTest, SymbolsPastTheStreamReadAsEndOfBlock) {
    NibbleWriter w;
    w.put({2, 0xF});  // Y's DC only; the stream ends here
    prime(w);
    ASSERT_TRUE(decode());
    EXPECT_EQ(at(0, 0), 0x2F * 32);
    for (uint32_t mask : blocks.blockMask) EXPECT_EQ(mask, 0x0101u);
    EXPECT_EQ(at(1, 0), 0);
    EXPECT_EQ(at(2, 0), 0);
}

TEST_P(CoefficientDecoderTest, AnEmptyStreamLeavesNoSymbolsOfAnEarlierFrame) {
    NibbleWriter w;
    for (int i = 0; i < 30; ++i) w.put({7, 7, 11, 3});
    prime(w);
    decode();
    prime(std::vector<uint8_t>{});
    ASSERT_TRUE(decode());
    for (int32_t value : blocks.values) EXPECT_EQ(value, 0);
}

// A block of 63 Literal codes per component: the most symbols a valid DCT
// block can take (573, plus the code read ahead).
void writeLongestBlock(NibbleWriter& w) {
    for (int component = 0; component < 3; ++component) {
        w.byteValue(component - 1);
        for (int p = 1; p < 64; ++p) {
            w.put(Literal);
            w.byteValue((p * 37 + component) % 256 - 128);
        }
    }
}

void expectLongestBlock(const CoefficientBlocks& blocks, const DequantTables& dequant) {
    for (int component = 0; component < 3; ++component) {
        EXPECT_EQ(blocks.block(component)[0], (component - 1) * dequant[component][0]);
        for (int p = 1; p < 64; ++p)
            ASSERT_EQ(blocks.block(component)[kZigzagToNatural[p]],
                      ((p * 37 + component) % 256 - 128) * dequant[component][p])
                << "component " << component << " position " << p;
    }
}

// Fills the window with DC-only blocks so that the next block starts at cell
// `start` (15858 cells of filler plus one block lengthened by Skip1 codes).
int writeFillerUpTo(NibbleWriter& w, int start) {
    int blocks = 0;
    for (; blocks < 1762; ++blocks)
        for (int component = 0; component < 3; ++component) w.dcOnly(blocks % 100);
    w.byteValue(0);
    for (int i = 0; i < start - 15858 - 9; ++i) w.put(Skip1);
    w.put(EndOfBlock);
    w.dcOnly(0);
    w.dcOnly(0);
    return blocks + 1;
}

TEST_P(CoefficientDecoderTest, ALongBlockAtTheRefillMarkDecodesWholeFromTheHeadroom) {
    for (int start : {NibbleWindow::kRefillMark, NibbleWindow::kRefillMark + 1}) {
        NibbleWriter w;
        const int fillers = writeFillerUpTo(w, start);
        writeLongestBlock(w);
        w.dcOnly(-7);
        w.dcOnly(0);
        w.dcOnly(0);
        prime(w);
        for (int i = 0; i < fillers; ++i) ASSERT_TRUE(decode());
        ASSERT_EQ(window->readIndex(), start);
        ASSERT_TRUE(decode());
        expectLongestBlock(blocks, dequant);
        ASSERT_TRUE(decode());
        EXPECT_EQ(at(0, 0), -7 * 32) << "start " << start;
    }
}

TEST_P(CoefficientDecoderTest, RefillsDeliverALongStreamInOrder) {
    NibbleWriter w;
    const int count = 6000;  // 66000 symbols: several refills
    for (int i = 0; i < count; ++i) {
        w.dcOnly(i % 251 - 125);
        w.put({i % 5, 5, Nibble1, i % 16, EndOfBlock});
        w.dcOnly(-(i % 99));
    }
    prime(w);
    for (int i = 0; i < count; ++i) {
        ASSERT_TRUE(decode());
        ASSERT_EQ(at(0, 0), (i % 251 - 125) * 32) << i;
        ASSERT_EQ(at(1, 0), (i % 5 * 16 + 5) * 34) << i;
        const int level = i % 16 < 8 ? i % 16 + 1 : i % 16 - 16;
        ASSERT_EQ(at(1, 1), level * factor(1, 1)) << i;
        ASSERT_EQ(at(2, 0), -(i % 99) * 34) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Decoders, CoefficientDecoderTest,
                         ::testing::Values(KernelLevel::Reference, KernelLevel::Sse2, KernelLevel::Avx2),
                         [](const auto& info) { return std::string(kernelLevelName(info.param)); });

// A level's decoder and the reference through the same stream, DCT block by
// DCT block, until one fails: the same error, coefficients, masks and cursor
// each time.
void expectTheDecodersAgree(decltype(BlockKernels::decodeCoefficients) decode, const std::vector<uint8_t>& stream,
                            const std::string& what) {
    GeometryTables geometry{};
    buildPositionTables(geometry);
    DequantTables dequant{};
    buildDequantTables(90, dequant);
    const FrameBytes frame(stream.data(), int64_t(stream.size()));
    auto tableWindow = std::make_unique<NibbleWindow>(), referenceWindow = std::make_unique<NibbleWindow>();
    tableWindow->prime(frame, 0, frame.size());
    referenceWindow->prime(frame, 0, frame.size());
    for (int block = 0; referenceWindow->cellsRead() < 2 * frame.size(); ++block) {
        CoefficientBlocks table{}, reference{};
        const DecodeError tableError = decode(*tableWindow, geometry, dequant, table);
        const DecodeError referenceError =
            decodeCoefficientBlocksReference(*referenceWindow, geometry, dequant, reference);
        ASSERT_EQ(tableError, referenceError) << what << ", DCT block " << block;
        ASSERT_EQ(tableWindow->cellsRead(), referenceWindow->cellsRead()) << what << ", DCT block " << block;
        ASSERT_EQ(table.values, reference.values) << what << ", DCT block " << block;
        if (referenceError != DecodeError::None) return;
        ASSERT_EQ(table.blockMask, reference.blockMask) << what << ", DCT block " << block;
    }
}

// ... for each level above the reference that the processor runs.
void expectTheDecodersAgree(const std::vector<uint8_t>& stream, const std::string& what) {
    for (KernelLevel level : allKernelLevels())
        if (level != KernelLevel::Reference && level <= bestKernelLevel())
            expectTheDecodersAgree(kernelsFor(level).decodeCoefficients, stream,
                                   what + ", " + std::string(kernelLevelName(level)));
}

TEST(CoefficientDecoders, AgreeOnEveryCodeAtEveryPosition) {
    std::mt19937 random(6);
    auto nibble = [&] { return int(random() % 16); };
    // Each code with each first operand, from each position: skips lead up to
    // it, random cells follow, and Literal codes run on to the block's end.
    for (int position = 1; position < 64; ++position)
        for (int code = 0; code < 16; ++code)
            for (int operand = 0; operand < 16; ++operand) {
                NibbleWriter w;
                w.byteValue(int(random() % 256) - 128);
                for (int p = 1; p < position; ++p) w.put(Skip1);
                w.put({code, operand, nibble(), nibble(), nibble(), nibble()});
                for (int i = 0; i < 64; ++i) w.put({Literal, nibble(), nibble()});
                expectTheDecodersAgree(w.bytes(), "code " + std::to_string(code) + " operand " +
                                                      std::to_string(operand) + " at " + std::to_string(position));
            }
    // Random streams: every code in every context, malformed blocks included.
    for (int round = 0; round < 400; ++round) {
        std::vector<uint8_t> stream(size_t(random() % 9000));
        for (uint8_t& byte : stream) byte = uint8_t(random());
        expectTheDecodersAgree(stream, "random stream " + std::to_string(round));
    }
}

}  // namespace
}  // namespace decoder

// Every kernel of every level the processor runs against its plain reference
// version: the colour conversion over its whole in-range domain and across
// every table end, the inverse DCT on random blocks under every mask.

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <random>
#include <string>
#include <tuple>

#include "decoder/vk6_internal.h"

namespace decoder {

using format::kPictureWidth;
namespace {

// The levels above the reference, each tested wherever the processor runs it.
const auto kFastLevels = ::testing::Values(KernelLevel::Sse2, KernelLevel::Avx2);

std::string levelName(KernelLevel level) { return std::string(kernelLevelName(level)); }

void skipUnlessRuns(KernelLevel level) {
    if (level > bestKernelLevel()) GTEST_SKIP() << "the processor does not run " << levelName(level);
}

class ColourConversion : public ::testing::TestWithParam<std::tuple<KernelLevel, PixelFormat>> {
protected:
    void SetUp() override {
        skipUnlessRuns(std::get<0>(GetParam()));
        buildChromaTables(tables);
        buildColourTables(std::get<1>(GetParam()), tables);
    }

    // Converts with both kernels and compares the 8x8 pixels (each kernel
    // writes all 64 of them, so the rows need no clearing between blocks).
    void expectSame(const CoefficientBlocks& blocks) {
        kernelsFor(std::get<0>(GetParam())).convertToPixels(tables, blocks, fast.data());
        kernelsFor(KernelLevel::Reference).convertToPixels(tables, blocks, reference.data());
        for (int i = 0; i < 64; ++i) {
            const int at = kPictureWidth * (i / 8) + i % 8;
            if (fast[at] == reference[at]) continue;  // the assertion's message only where it fails
            ASSERT_EQ(fast[at], reference[at])
                << "Y " << blocks.values[i] << " Cb " << blocks.values[64 + i] << " Cr " << blocks.values[128 + i];
        }
    }

    ColourTables tables{};
    std::array<uint16_t, 8 * kPictureWidth> fast{}, reference{};
};

// Every (Y >> 4, Cb >> 3, Cr >> 4) whose samples lie in -2048..2047, the range
// the reference converts without saturating, with random low bits.
TEST_P(ColourConversion, EqualsTheReferenceOnEveryInRangeSample) {
    std::mt19937 random(1);
    CoefficientBlocks blocks{};
    int filled = 0;
    for (int y = -128; y < 128; ++y)
        for (int cr = -128; cr < 128; ++cr)
            for (int cb = -256; cb < 256; ++cb) {
                const uint32_t low = random();  // the three samples' low bits from one draw
                blocks.values[filled] = 16 * y + int(low & 15);
                blocks.values[64 + filled] = 8 * cb + int(low >> 4 & 7);
                blocks.values[128 + filled] = 16 * cr + int(low >> 7 & 15);
                if (++filled < 64) continue;
                filled = 0;
                expectSame(blocks);
                if (HasFatalFailure()) return;
            }
}

// One sample out of range makes the reference saturate the whole block: every
// chroma index past both table ends, against luma across the colour tables.
TEST_P(ColourConversion, EqualsTheReferenceAcrossEveryTableEnd) {
    std::mt19937 random(2);
    for (int chroma = ColourTables::kChromaFirst - 64; chroma <= ColourTables::kChromaLast + 64; ++chroma) {
        for (int luma = -1200; luma <= 1200; luma += 64) {
            CoefficientBlocks blocks{};
            for (int i = 0; i < 64; ++i) {
                blocks.values[i] = 16 * (luma + i) + int(random() % 16);
                blocks.values[64 + i] = 16 * chroma + int(random() % 16) - 8 * (i % 2);
                blocks.values[128 + i] = 16 * (chroma + int(random() % 3) - 1) + int(random() % 16);
            }
            blocks.values[int(random() % 192)] = 4096;
            expectSame(blocks);
            if (HasFatalFailure()) return;
        }
    }
}

// Samples anywhere in 32 bits: luma and chroma far beyond the tables, and
// large luma offset by large opposite chroma, which only the 32-bit sum sees.
TEST_P(ColourConversion, EqualsTheReferenceOnUnboundedSamples) {
    std::mt19937 random(3);
    const int32_t extremes[] = {INT32_MIN, INT32_MIN + 15, -40000, 40000, INT32_MAX - 15, INT32_MAX};
    for (int round = 0; round < 20000; ++round) {
        CoefficientBlocks blocks{};
        const int scale = 1 << (random() % 31);
        for (int i = 0; i < 64; ++i) {
            const int32_t luma = int32_t(random() % uint32_t(scale)) - scale / 2;
            blocks.values[i] = luma;
            blocks.values[64 + i] = round % 2 ? -(luma / 2) + int32_t(random() % 4096) - 2048 : int32_t(random());
            blocks.values[128 + i] = int32_t(random() % uint32_t(scale)) - scale / 2;
        }
        blocks.values[random() % 192] = extremes[random() % 6];
        expectSame(blocks);
        if (HasFatalFailure()) return;
    }
}

// A DC-only block is read at its entry 0 alone (the rest may hold anything),
// as if the inverse DCT had spread it over the block; every combination of
// DC-only components, the constant-chroma one included.
TEST_P(ColourConversion, ReadsDcOnlyBlocksAtTheirFirstEntry) {
    std::mt19937 random(4);
    for (int round = 0; round < 4000; ++round) {
        CoefficientBlocks blocks{}, spread{};
        for (int i = 0; i < 192; ++i) blocks.values[size_t(i)] = int32_t(random() % 4096) - 2048;
        spread = blocks;
        for (int component = 0; component < 3; ++component) {
            if ((round >> component & 1) == 0) continue;
            blocks.blockMask[size_t(component)] = 0x0101;
            std::fill_n(spread.block(component), 64, blocks.block(component)[0]);
        }
        kernelsFor(KernelLevel::Reference).convertToPixels(tables, spread, reference.data());
        kernelsFor(std::get<0>(GetParam())).convertToPixels(tables, blocks, fast.data());
        ASSERT_EQ(fast, reference) << "round " << round;
        kernelsFor(KernelLevel::Reference).convertToPixels(tables, blocks, fast.data());
        ASSERT_EQ(fast, reference) << "the reference, round " << round;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryLevelBothFormats, ColourConversion,
                         ::testing::Combine(kFastLevels, ::testing::Values(PixelFormat::Rgb555, PixelFormat::Rgb565)),
                         [](const auto& info) {
                             return levelName(std::get<0>(info.param)) +
                                    (std::get<1>(info.param) == PixelFormat::Rgb565 ? "_565" : "_555");
                         });

using Block = std::array<int32_t, 64>;

// A mask of one of the kinds that pick the pass order and its shortcuts.
uint32_t randomMask(std::mt19937& random, int kind) {
    const uint32_t columns = random() & 0xFF, rows = random() & 0xFF;
    switch (kind) {
        case 0: return 0x0101;                                 // DC only
        case 1: return 0x0100 | columns;                       // a single row
        case 2: return rows << 8 | 1;                          // a single column
        case 3: return (rows | 0x80) << 8 | (columns & 0x7F);  // row byte negative
        case 4: return (rows & 0x7F) << 8 | (columns | 0x80);  // column byte negative
        case 5: return (rows & 0x0F) << 8 | (columns & 0x0F);  // low frequencies
        default: return random() & 0xFFFF;                     // anything, stray high bits included
    }
}

// Values in the rows and columns of the mask (not all of them non-zero), zeros
// elsewhere: the blocks coefficient decoding leaves for the inverse DCT.
Block randomBlock(std::mt19937& random, uint32_t mask) {
    const int range = 1 << (4 + random() % 11);
    Block block{};
    for (int i = 0; i < 64; ++i) {
        const bool inside = (mask >> (i % 8) & 1) && (mask >> (8 + i / 8) & 1);
        if (inside && random() % 4 != 0) block[i] = int32_t(random() % uint32_t(2 * range)) - range;
    }
    return block;
}

class InverseDct : public ::testing::TestWithParam<KernelLevel> {
protected:
    void SetUp() override { skipUnlessRuns(GetParam()); }

    void expectSame(const Block& input, uint32_t mask) {
        alignas(32) Block fast = input;
        alignas(32) Block reference = input;
        kernelsFor(GetParam()).inverseDct(fast.data(), mask);
        kernelsFor(KernelLevel::Reference).inverseDct(reference.data(), mask);
        ASSERT_EQ(fast, reference) << "mask " << std::hex << mask;
    }
};

TEST_P(InverseDct, EqualsTheReferenceOnEveryPassOrder) {
    std::mt19937 random(4);
    for (int round = 0; round < 200000; ++round) {
        const uint32_t mask = randomMask(random, round % 7);
        expectSame(randomBlock(random, mask), mask);
        if (HasFatalFailure()) return;
    }
}

// Every mask, each with two blocks.
TEST_P(InverseDct, EqualsTheReferenceUnderEveryMask) {
    std::mt19937 random(5);
    for (uint32_t mask = 0; mask <= 0xFFFF; ++mask) {
        for (int block = 0; block < 2; ++block) {
            expectSame(randomBlock(random, mask), mask);
            if (HasFatalFailure()) return;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryLevel, InverseDct, kFastLevels, [](const auto& info) { return levelName(info.param); });

}  // namespace
}  // namespace decoder

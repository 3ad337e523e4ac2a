// The forward DCT and the quantisation match the decoder's dequantisation and
// inverse DCT: a block's levels decoded by the decoder's own kernels give back
// its samples within the quantiser's reach.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "decoder/vk6_internal.h"
#include "encoder/dct_coder.h"
#include "encoder/forward_dct.h"

namespace encoder {
namespace {

TEST(ForwardDctTest, AFlatBlockHasOnlyItsDcOfEightTimesItsValue) {
    std::array<int32_t, 64> samples, coefficients;
    samples.fill(-1000);
    forwardDct(samples, coefficients);
    EXPECT_NEAR(coefficients[0], -8000, 2);  // the 14-bit basis is that close
    for (int i = 1; i < 64; ++i) EXPECT_EQ(coefficients[i], 0) << i;
}

TEST(ForwardDctTest, EnergyIsKept) {
    std::mt19937 random(5);
    std::array<int32_t, 64> samples, coefficients;
    for (int32_t& s : samples) s = int32_t(random() % 16384) - 8192;
    forwardDct(samples, coefficients);
    double in = 0, out = 0;
    for (int i = 0; i < 64; ++i) {
        in += double(samples[i]) * samples[i];
        out += double(coefficients[i]) * coefficients[i];
    }
    EXPECT_NEAR(out / in, 1.0, 1e-3);
}

// Random smooth blocks at quality 100 (every step 8): the decoder's pixels
// come near the source's, and on average within a 5-bit field's step.
TEST(DctCoderTest, DecodedBlocksComeBackNearTheirSource) {
    const ColourMapping mapping(16);
    const DctCoder coder(mapping, 100, 128);
    const PixelExpander expander(16);
    decoder::ColourTables colour{};
    decoder::buildChromaTables(colour);
    decoder::buildColourTables(decoder::PixelFormat::Rgb565, colour);
    RgbPlanes source;
    source.resize(8);
    std::mt19937 random(9);
    std::array<uint16_t, 7 * 640 + 8> pixels{};
    double absoluteErrors = 0;
    for (int trial = 0; trial < 200; ++trial) {
        const int base[3] = {int(random() % 200), int(random() % 200), int(random() % 200)};
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const size_t i = source.at(x, y);
                source.red[i] = uint8_t(base[0] + 3 * x + int(random() % 8));
                source.green[i] = uint8_t(base[1] + 4 * y + int(random() % 8));
                source.blue[i] = uint8_t(base[2] + 2 * (x + y) + int(random() % 8));
            }
        DctBlock block;
        coder.quantise(source, 0, 0, block);
        coder.reconstruct(block, decoder::kernelsFor(decoder::KernelLevel::Reference), colour, pixels.data());
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                uint8_t r, g, b;
                expander.expand(pixels[size_t(y) * 640 + x], r, g, b);
                const size_t i = source.at(x, y);
                ASSERT_NEAR(r, source.red[i], 20) << trial;
                ASSERT_NEAR(g, source.green[i], 20) << trial;
                ASSERT_NEAR(b, source.blue[i], 20) << trial;
                absoluteErrors +=
                    std::abs(r - source.red[i]) + std::abs(g - source.green[i]) + std::abs(b - source.blue[i]);
            }
    }
    EXPECT_LT(absoluteErrors / (200 * 64 * 3), 4.0);
}

// Noise at the highest quality takes many nibbles, but fewer than the
// decoder's window headroom of 512 with the code nibble read after the block.
TEST(DctCoderTest, NoisyBlocksStayWithinTheWindowHeadroom) {
    const ColourMapping mapping(16);
    const DctCoder coder(mapping, 100, 128);
    RgbPlanes source;
    source.resize(8);
    std::mt19937 random(4);
    for (size_t i = 0; i < source.red.size(); ++i) {
        source.red[i] = random() % 2 ? 255 : 0;
        source.green[i] = random() % 2 ? 255 : 0;
        source.blue[i] = random() % 2 ? 255 : 0;
    }
    for (int x = 0; x < 640; x += 8) {
        DctBlock block;
        coder.quantise(source, x, 0, block);
        NibbleWriter writer;
        coder.write(block, writer);
        EXPECT_LE(block.nibbles, 511);
        EXPECT_EQ(int(writer.bytes().size()), (block.nibbles + 1) / 2);
    }
}

// A block of large levels everywhere (Literal codes, 573 nibbles) loses its
// last levels until it fits.
TEST(DctCoderTest, ABlockTooLargeForTheWindowLosesItsLastLevels) {
    DctBlock block;
    for (ComponentLevels& levels : block.levels) levels.fill(100);
    fitWindowHeadroom(block);
    EXPECT_LE(block.nibbles, 511);
    EXPECT_GE(block.nibbles, 508);
    for (const ComponentLevels& levels : block.levels) {
        EXPECT_EQ(levels[40], 100);  // the early levels are kept
        EXPECT_EQ(levels[63], 0);
    }
}

}  // namespace
}  // namespace encoder

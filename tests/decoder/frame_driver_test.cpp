#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "decoder/vk6_internal.h"
#include "format/frame_header.h"
#include "tests/decoder/frame_builder.h"

namespace decoder {

using format::DecodeError;
using format::kPictureWidth;
using format::kShapeSizes;
using format::ShapeSize;
using format::sourcePixel;
using format::SourcePixel;
using enum format::CopyShape;
using enum format::CoefficientCode;
namespace {

using test::farWord;
using test::FrameBuilder;
using test::nearWord;

constexpr int kGuardRows = 8;
constexpr uint16_t kGuard = 0x5A5A;

// A picture buffer of `rows` rows followed by guard rows.
std::vector<uint16_t> picture(int rows, unsigned seed) {
    std::vector<uint16_t> pixels(kPictureWidth * (rows + kGuardRows), kGuard);
    std::mt19937 random(seed);
    for (int i = 0; i < kPictureWidth * rows; ++i) pixels[i] = static_cast<uint16_t>(random());
    return pixels;
}

bool guardIntact(const std::vector<uint16_t>& pixels, int rows) {
    for (size_t i = size_t(kPictureWidth) * rows; i < pixels.size(); ++i)
        if (pixels[i] != kGuard) return false;
    return true;
}

uint16_t at(const std::vector<uint16_t>& pixels, int x, int y) { return pixels[y * kPictureWidth + x]; }

class FrameDriverTest : public ::testing::Test {
protected:
    void start(int height, int type = 16) {
        rows = int(format::pictureRows(height));
        ASSERT_TRUE(decoder.init(type, height, kPictureWidth, "XQM6"));
        reference = picture(rows, 1);
        target = picture(rows, 2);
    }
    bool decode(const std::vector<uint8_t>& frame) {
        return decoder.decodeFrame(frame.data(), frame.size(), reference.data(), target.data());
    }
    // Expects the w x h block of target at (x, y) to be the `mode` symmetry of
    // the source region at (sx, sy) of `from`.
    void expectCopy(const std::vector<uint16_t>& from, int group, int mode, int sx, int sy, int x, int y) {
        const ShapeSize size = kShapeSizes[group];
        for (int dy = 0; dy < size.height; ++dy)
            for (int dx = 0; dx < size.width; ++dx) {
                const SourcePixel s = sourcePixel(mode, dx, dy, size.width, size.height);
                ASSERT_EQ(at(target, x + dx, y + dy), at(from, sx + s.x, sy + s.y))
                    << "pixel (" << x + dx << ", " << y + dy << ")";
            }
    }
    void stillBlocks(FrameBuilder& frame, int count) {
        for (int i = 0; i < count; ++i) frame.control.code("110");
    }

    Decoder decoder;
    int rows = 0;
    std::vector<uint16_t> reference, target;
};

// ---- predicted frames ----

TEST_F(FrameDriverTest, StillCopiesReproduceTheReference) {
    start(16);
    FrameBuilder frame;
    stillBlocks(frame, 160);
    const auto bytes = frame.build(50);
    ASSERT_TRUE(decode(bytes));
    EXPECT_EQ(target, reference);

    target = picture(rows, 3);
    ASSERT_TRUE(decoder.decodeFrameUnbounded(bytes.data(), reference.data(), target.data()));
    EXPECT_EQ(target, reference);
}

// Still blocks, now and then one split into two still halves, which moves the
// codes against the control words. The expected picture copies block by block
// in decoding order, from `reference` into `target` (which may overlap).
class StillRunTest : public FrameDriverTest {
protected:
    static bool split(int block) { return block % 7 == 3 || block % 13 == 0; }
    static std::vector<uint8_t> frame() {
        FrameBuilder frame;
        for (int block = 0; block < 160; ++block) frame.control.code(split(block) ? "100 11 11" : "110");
        return frame.build(50);
    }
    static void copyBlockByBlock(const uint16_t* from, uint16_t* to) {
        const BlockCopyTable& copies = blockCopyTable();
        for (int block = 0; block < 160; ++block) {
            const int corner = block / 80 * 8 * kPictureWidth + block % 80 * 8;
            if (!split(block)) {
                copies[8 * Shape8x8](from + corner, to + corner);
                continue;
            }
            copies[8 * Shape8x4](from + corner, to + corner);
            copies[8 * Shape8x4](from + corner + 4 * kPictureWidth, to + corner + 4 * kPictureWidth);
        }
    }
};

TEST_F(StillRunTest, RunsEndAtOtherCodesAndRowEnds) {
    start(16);
    ASSERT_TRUE(decode(frame()));
    EXPECT_EQ(target, reference);
}

TEST_F(StillRunTest, OneBufferAsReferenceAndTargetStaysAsItIs) {
    start(16);
    const std::vector<uint16_t> before = reference;
    const auto bytes = frame();
    ASSERT_TRUE(decoder.decodeFrame(bytes.data(), bytes.size(), reference.data(), reference.data()));
    EXPECT_EQ(reference, before);
}

TEST_F(StillRunTest, OverlappingBuffersCopyInBlockOrder) {
    start(16);
    const auto bytes = frame();
    for (int shift : {1, 3, 8, 640, 641, 5 * 640 + 2}) {
        for (int direction : {1, -1}) {
            std::vector<uint16_t> shared = picture(2 * rows + 8, unsigned(shift)), expected = shared;
            const int from = direction > 0 ? 0 : shift, to = direction > 0 ? shift : 0;
            copyBlockByBlock(expected.data() + from, expected.data() + to);
            ASSERT_TRUE(decoder.decodeFrame(bytes.data(), bytes.size(), shared.data() + from, shared.data() + to));
            EXPECT_EQ(shared, expected) << shift << " " << direction;
        }
    }
}

// Whole still rows are copied late, together: a copy from the new picture
// must still see them, and a frame that fails after them keeps them.
TEST_F(StillRunTest, WholeStillRowsAreThereForCopiesAndFailures) {
    start(24);
    FrameBuilder frame;
    stillBlocks(frame, 80);
    for (int i = 0; i < 80; ++i) {
        frame.control.code("010 000");
        frame.vector(farWord(128, 8, 1));  // the block above, in the new picture
    }
    frame.control.code("1111");  // unassigned: the third row fails
    const std::vector<uint16_t> before = target;
    EXPECT_FALSE(decode(frame.build(50)));
    for (int x = 0; x < 640; x += 8) {
        expectCopy(reference, Shape8x8, 0, x, 0, x, 0);
        expectCopy(reference, Shape8x8, 0, x, 0, x, 8);
        expectCopy(before, Shape8x8, 0, x, 16, x, 16);
    }
}

TEST_F(FrameDriverTest, FarVectorsFromTheReference) {
    start(16);
    FrameBuilder frame;
    frame.control.code("010 000");  // X = 0: vx 255 wraps to column 513
    frame.vector(farWord(255, 64));
    frame.control.code("010 011");  // X = 8: 0x4040 is no displacement, mode 3
    frame.vector(0x4040);
    frame.control.code("010 101");  // X = 16: one row down, three columns left, mode 5
    frame.vector(farWord(131, 63));
    stillBlocks(frame, 76);
    frame.control.code("010 000");  // X = 632: vx 0 wraps to column 120
    frame.vector(farWord(0, 64));
    stillBlocks(frame, 80);
    ASSERT_TRUE(decode(frame.build(20)));
    expectCopy(reference, Shape8x8, 0, 513, 0, 0, 0);
    expectCopy(reference, Shape8x8, 3, 8, 0, 8, 0);
    expectCopy(reference, Shape8x8, 5, 13, 1, 16, 0);
    expectCopy(reference, Shape8x8, 0, 120, 0, 632, 0);
}

TEST_F(FrameDriverTest, SpiralIndicesComePackedInPairs) {
    start(16);
    FrameBuilder frame;
    frame.control.code("00 00");
    frame.spiral(1);  // no displacement
    frame.spiral(2);  // (0, 1)
    stillBlocks(frame, 158);
    const auto bytes = frame.build(50);
    const int32_t spiralOffset = int32_t(bytes[12] | bytes[13] << 8);
    EXPECT_EQ(bytes[spiralOffset], 0x01);
    EXPECT_EQ(bytes[spiralOffset + 1], 0x20);
    EXPECT_EQ(bytes[spiralOffset + 2], 0x00);
    ASSERT_TRUE(decode(bytes));
    expectCopy(reference, Shape8x8, 0, 0, 0, 0, 0);
    expectCopy(reference, Shape8x8, 0, 8, 1, 8, 0);
}

TEST_F(FrameDriverTest, SplitsNestAndDecodeEachPieceWhole) {
    start(16);
    FrameBuilder frame;
    frame.control.code("110");
    // Block 1: upper half split into quarters 0 (spiral, index 5 = (2, 0))
    // and 1 (still), then the lower half (still).
    frame.control.code("100 10 00 100 11");
    frame.spiral(5);
    // Block 2: upper 8x4 spiral copy (index 10 = (-1, 0)), lower still.
    frame.control.code("100 00 11");
    frame.spiral(10);
    // Block 3: 4x8 halves: left vector copy mode 1, right split into quarters
    // 1 and 3, both still.
    frame.control.code("101 01 001 10 100 100");
    frame.vector(0x4040);
    // Block 4: one spiral index left over from the pair: index 1.
    frame.control.code("00");
    frame.spiral(1);
    stillBlocks(frame, 155);
    ASSERT_TRUE(decode(frame.build(50)));
    expectCopy(reference, Shape8x8, 0, 0, 0, 0, 0);
    expectCopy(reference, Shape4x4, 0, 10, 0, 8, 0);
    expectCopy(reference, Shape4x4, 0, 12, 0, 12, 0);
    expectCopy(reference, Shape8x4, 0, 8, 4, 8, 4);
    expectCopy(reference, Shape8x4, 0, 15, 0, 16, 0);
    expectCopy(reference, Shape8x4, 0, 16, 4, 16, 4);
    // Far vectors are anchored at the block's corner: the left half takes the
    // block's own left 4x8 region.
    expectCopy(reference, Shape4x8, 1, 24, 0, 24, 0);
    expectCopy(reference, Shape4x8, 0, 28, 0, 28, 0);
    expectCopy(reference, Shape8x8, 0, 32, 0, 32, 0);
    expectCopy(reference, Shape8x8, 0, 0, 8, 0, 8);
}

TEST_F(FrameDriverTest, NearVectorsAreAnchoredAtTheBlockCorner) {
    start(16);
    FrameBuilder frame;
    stillBlocks(frame, 81);
    // Block (8, 8): quarters.
    frame.control.code("1110");
    // Quarter 0 as cells: two with no displacement (both from the block's
    // corner), one a pixel to the right and transposed, one still.
    frame.control.code("111 10 10 10 11");
    frame.vector(nearWord(2015, 0));
    frame.vector(nearWord(2015, 0));
    frame.vector(nearWord(2014, 7));
    // Quarter 1 as 4x2 strips: (-2, +3) mirrored, then a spiral copy.
    frame.control.code("101 10 0");
    frame.vector(nearWord(28 * 64 + 33, 1));
    frame.spiral(1);
    // Quarter 2 as 2x4 strips: from the target, the block above, flipped; then still.
    frame.control.code("110 10 110");
    frame.vector(nearWord(14 * 128 + 63, 2, 1));
    frame.control.code("100");
    stillBlocks(frame, 78);
    ASSERT_TRUE(decode(frame.build(50)));
    expectCopy(reference, Shape2x2, 0, 8, 8, 8, 8);
    expectCopy(reference, Shape2x2, 0, 8, 8, 10, 8);
    expectCopy(reference, Shape2x2, 7, 9, 8, 8, 10);
    expectCopy(reference, Shape2x2, 0, 10, 10, 10, 10);
    expectCopy(reference, Shape4x2, 1, 6, 11, 12, 8);
    expectCopy(reference, Shape4x2, 0, 12, 10, 12, 10);
    expectCopy(reference, Shape2x4, 2, 8, 0, 8, 12);  // the target's row 0 is the reference's
    expectCopy(reference, Shape2x4, 0, 10, 12, 10, 12);
    expectCopy(reference, Shape4x4, 0, 12, 12, 12, 12);
    expectCopy(reference, Shape8x8, 0, 16, 8, 16, 8);
}

// ---- intra frames ----

// Row 0 of an intra frame as DCT blocks with a horizontal ramp each, so that
// every copy shows its symmetry.
void rampBlocks(FrameBuilder& frame, int count) {
    for (int i = 0; i < count; ++i) {
        frame.control.code("110");
        frame.nibbles.byteValue(i - 40);
        frame.nibbles.put({11, i % 8, 0});  // Nibble1: an AC value at position 1
        frame.nibbles.put({2, 0, 2, 0});    // Cb: DC 32, Zero1Plus, EndOfBlock
        frame.nibbles.dcOnly(-i);
    }
}

TEST_F(FrameDriverTest, IntraCopiesReadTheTargetAlreadyDecoded) {
    start(16);
    FrameBuilder frame;
    rampBlocks(frame, 80);
    // Block (0, 8): quarters; quarter 0 as two 4x2 strips, each from the
    // block above; quarters 1..3 as internal 4x4 copies: five vector words.
    frame.control.code("10 01 0 0");
    frame.vector(nearWord(14 * 128 + 63, 0));
    frame.vector(nearWord(14 * 128 + 63, 1, 1));  // bit 15 is ignored in intra frames
    frame.control.code("00 01");                  // mode 2 + 1 = 3
    frame.vector(farWord(120, 12, 1));
    frame.control.code("00 10");  // mode 4
    frame.vector(farWord(128, 12));
    frame.control.code("00 11");  // mode 7
    frame.vector(farWord(112, 12, 1));
    // The other blocks of the row copy the block above (0x4008, mode 0).
    for (int i = 1; i < 80; ++i) {
        frame.control.code("111 00");
        frame.vector(0x4008);
    }
    ASSERT_TRUE(decode(frame.build(-75)));
    const std::vector<uint16_t> decoded = target;
    EXPECT_NE(at(decoded, 0, 0), at(decoded, 7, 0));  // the ramp is visible
    expectCopy(decoded, Shape4x2, 0, 0, 0, 0, 8);
    expectCopy(decoded, Shape4x2, 1, 0, 0, 0, 10);
    expectCopy(decoded, Shape4x4, 3, 8, 0, 4, 8);
    expectCopy(decoded, Shape4x4, 4, 0, 0, 0, 12);
    expectCopy(decoded, Shape4x4, 7, 16, 0, 4, 12);
    for (int x = 8; x < 640; x += 8) expectCopy(decoded, Shape8x8, 0, x, 0, x, 8);
    EXPECT_EQ(reference, picture(rows, 1));  // never touched
}

TEST_F(FrameDriverTest, IntraFramesDoNotNeedAReference) {
    start(8);
    FrameBuilder frame;
    for (int i = 0; i < 80; ++i) frame.dcBlock(0);
    for (int i = 0; i < 80; ++i) frame.control.code("110");
    const auto bytes = frame.build(-50);
    ASSERT_TRUE(decoder.decodeFrame(bytes.data(), bytes.size(), nullptr, target.data()));
    EXPECT_EQ(at(target, 639, 7), 0x8410);
}

TEST_F(FrameDriverTest, PredictedFramesNeedAReference) {
    start(8);
    FrameBuilder frame;
    stillBlocks(frame, 80);
    const auto bytes = frame.build(50);
    EXPECT_FALSE(decoder.decodeFrame(bytes.data(), bytes.size(), nullptr, target.data()));
}

// ---- picture geometry ----

TEST_F(FrameDriverTest, PartialBlockRowsAreDecodedWhole) {
    for (int height : {270, 8, 2, 0, -4}) {
        start(height, 15);
        FrameBuilder frame;
        for (int i = 0; i < rows / 8 * 80; ++i) {
            frame.control.code("110");
            frame.dcBlock(0);
        }
        ASSERT_TRUE(decode(frame.build(-50))) << height;
        for (int y = 0; y < rows; ++y) ASSERT_EQ(at(target, 639, y), 0x4210) << height << " row " << y;
        EXPECT_TRUE(guardIntact(target, rows)) << height;
    }
}

// The SSE2 kernels load a decoder's coefficient blocks as aligned vectors: a
// heap that gives less than 16 bytes (32-bit Windows' gives 8) must not leave
// a decoder's state less aligned.
TEST(DecoderState, IsAlignedForTheKernelsOnTheHeap) {
    std::vector<std::unique_ptr<decoder::Decoder>> decoders;
    for (int i = 0; i < 16; ++i) {
        decoders.push_back(std::make_unique<decoder::Decoder>());
        const auto* blocks = decoders.back()->state().coefficients.values.data();
        EXPECT_EQ(reinterpret_cast<uintptr_t>(blocks) % 16, 0u) << i;
    }
}

TEST_F(FrameDriverTest, DecodersShareNothing) {
    start(8, 15);
    Decoder other;
    ASSERT_TRUE(other.init(16, 8, kPictureWidth, "xqm6"));
    FrameBuilder frame;
    for (int i = 0; i < 80; ++i) {
        frame.control.code("110");
        frame.dcBlock(0);
    }
    const auto bytes = frame.build(-50);
    std::vector<uint16_t> second = target;
    ASSERT_TRUE(decode(bytes));
    ASSERT_TRUE(other.decodeFrame(bytes.data(), bytes.size(), nullptr, second.data()));
    EXPECT_EQ(at(target, 0, 0), 0x4210);
    EXPECT_EQ(at(second, 0, 0), 0x8410);
}

// ---- broken frames: abandoned at the bad block, nothing outside touched ----

TEST_F(FrameDriverTest, AnUnassignedCodeAbandonsTheFrame) {
    start(8);
    FrameBuilder frame;
    stillBlocks(frame, 3);
    frame.control.code("1111");
    stillBlocks(frame, 76);
    const std::vector<uint16_t> before = target;
    EXPECT_FALSE(decode(frame.build(50)));
    expectCopy(reference, Shape8x8, 0, 16, 0, 16, 0);
    expectCopy(before, Shape8x8, 0, 24, 0, 24, 0);
}

TEST_F(FrameDriverTest, SourcesOutsideThePictureAbandonTheFrame) {
    struct Case {
        const char* what;
        int32_t qualityWord;
        const char* code;
        uint16_t word;
    };
    const Case cases[] = {
        {"reference rows below the picture", 50, "010 000", farWord(128, 0)},
        {"reference rows above the picture", 50, "010 000", farWord(128, 127)},
        {"target rows above the picture", -50, "111 00", 0x4008},
        {"near vector before the picture", 50, "1110 111 10", nearWord(4095, 0)},
        {"spiral below the picture", 50, "00", 0},
    };
    for (const Case& c : cases) {
        start(8);
        FrameBuilder frame;
        frame.control.code(c.code);
        frame.vector(c.word);
        frame.spiral(4095);
        const std::vector<uint16_t> before = target;
        EXPECT_FALSE(decode(frame.build(c.qualityWord))) << c.what;
        EXPECT_EQ(target, before) << c.what;
    }
}

TEST_F(FrameDriverTest, ACoefficientPastTheBlockAbandonsTheFrame) {
    start(8);
    FrameBuilder frame;
    frame.control.code("110 110");
    frame.dcBlock(1);
    frame.nibbles.byteValue(1);
    frame.nibbles.put(Skip1);
    for (int i = 0; i < 21; ++i) frame.nibbles.put({Nibble3, 1, 1, 1});  // the last value lands on 64
    const std::vector<uint16_t> before = target;
    EXPECT_FALSE(decode(frame.build(-50)));
    EXPECT_NE(at(target, 0, 0), at(before, 0, 0));
    expectCopy(before, Shape8x8, 0, 8, 0, 8, 0);
}

// Every prefix of a frame, decoded with its size, ends soundly and writes only
// inside the target; those that cut into a stream are abandoned.
TEST_F(FrameDriverTest, TruncatedFramesStayInsideTheirBuffers) {
    start(8);
    FrameBuilder frame;
    for (int i = 0; i < 80; ++i) {
        frame.control.code(i % 3 ? "110" : "111 01");
        if (i % 3) {
            frame.nibbles.byteValue(i);
            frame.nibbles.put({Literal, 7, 7, EndOfBlock});
            frame.nibbles.dcOnly(4);
            frame.nibbles.dcOnly(5);
        } else {
            frame.vector(farWord(136, 0));  // the block to the left, wrapping at X = 0
        }
    }
    const auto full = frame.build(-30);
    const int64_t nibbleEnd = format::readFrameHeader(full).nibbleEnd;
    const std::vector<uint16_t> reference0 = reference;
    for (size_t size = 0; size <= full.size(); ++size) {
        std::vector<uint8_t> prefix(full.begin(), full.begin() + size);
        const bool whole = decoder.decodeFrame(prefix.data(), prefix.size(), reference.data(), target.data());
        ASSERT_TRUE(guardIntact(target, rows)) << size;
        EXPECT_EQ(whole, int64_t(size) >= nibbleEnd) << size;
        EXPECT_EQ(whole, decoder.lastReport().whole()) << size;
    }
    EXPECT_EQ(reference, reference0);
}

TEST(Decoder, RefusesFramesBeforeInit) {
    Decoder decoder;
    FrameBuilder frame;
    frame.control.code("110");
    const auto bytes = frame.build(50);
    std::vector<uint16_t> reference(kPictureWidth * 8, 1), target(kPictureWidth * 8, 2);
    EXPECT_FALSE(decoder.decodeFrame(bytes.data(), bytes.size(), reference.data(), target.data()));
    EXPECT_FALSE(decoder.decodeFrameUnbounded(bytes.data(), reference.data(), target.data()));
    EXPECT_EQ(decoder.lastReport().code, DecodeError::NotInitialised);
    EXPECT_EQ(target, std::vector<uint16_t>(kPictureWidth * 8, 2));
}

}  // namespace
}  // namespace decoder

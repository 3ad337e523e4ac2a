#pragma once
// What a decoder fuzz input stands for, shared by the fuzzer and by the
// corpus replay that compares builds.
//
// Byte 0 selects the pixel format, whether the header's stream offsets are
// folded into the frame (so that random headers reach real data), and the
// picture height; the rest is the frame. The reference picture is a fixed
// pattern, the target starts as another.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "format/picture.h"

namespace fuzz {

constexpr int kWidth = format::kPictureWidth;
// The tallest picture an input asks for has 110 rows, in buffers of 112.
constexpr size_t kMaxPixels = 112 * kWidth;

struct DecoderFuzzInput {
    int32_t type = 16;   // 15 or 16
    int32_t height = 0;  // -16..110, even; the decoder refuses what it must
    std::vector<uint8_t> frame;
};

inline DecoderFuzzInput decoderFuzzInput(const uint8_t* data, size_t size) {
    DecoderFuzzInput input;
    if (size < 1) return input;
    const uint8_t options = data[0];
    input.type = options & 1 ? 16 : 15;
    input.height = 2 * ((options >> 2) & 63) - 16;
    input.frame.assign(data + 1, data + size);
    std::vector<uint8_t>& frame = input.frame;
    if ((options & 2) && frame.size() >= 24) {
        for (int word = 1; word < 6; ++word) {
            uint32_t value = 0;
            for (int i = 0; i < 4; ++i) value |= uint32_t{frame[4 * word + i]} << (8 * i);
            value %= uint32_t(frame.size() + 1);
            for (int i = 0; i < 4; ++i) frame[4 * word + i] = uint8_t(value >> (8 * i));
        }
    }
    return input;
}

inline std::vector<uint16_t> referencePattern(size_t pixels) {
    std::vector<uint16_t> picture(pixels);
    for (size_t i = 0; i < pixels; ++i) picture[i] = uint16_t(i * 2654435761u >> 16);
    return picture;
}

// The target starts with every byte this value.
constexpr uint8_t kTargetFillByte = 0x5a;

}  // namespace fuzz

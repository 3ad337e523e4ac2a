// Any bytes as a frame through the bounded entry point: the decoder must read
// only the frame, its pictures and its own state, and write only the target.
// Every kernel level the processor runs decodes the frame; all must give the
// same result and the same target picture, even for malformed frames.
//
// Input: byte 0 selects the pixel format, whether the header's stream
// offsets are folded into the frame (so that random headers reach real
// data), and the picture height; the rest is the frame.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "pipeline/decoder.h"

namespace {

constexpr int kWidth = 640;

void foldOffsets(std::vector<uint8_t>& frame) {
    if (frame.size() < 24) return;
    for (int word = 1; word < 6; ++word) {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value |= uint32_t{frame[4 * word + i]} << (8 * i);
        value %= uint32_t(frame.size() + 1);
        for (int i = 0; i < 4; ++i) frame[4 * word + i] = uint8_t(value >> (8 * i));
    }
}

// One decoder per kernel level the processor runs, the reference first.
std::vector<std::unique_ptr<vk6::Decoder>> makeDecoders() {
    std::vector<std::unique_ptr<vk6::Decoder>> decoders;
    for (vk6::KernelLevel level : vk6::allKernelLevels())
        if (level <= vk6::bestKernelLevel()) decoders.push_back(std::make_unique<vk6::Decoder>(vk6::kernelsFor(level)));
    return decoders;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const uint8_t options = data[0];
    std::vector<uint8_t> frame(data + 1, data + size);
    if (options & 2) foldOffsets(frame);
    const int height = 2 * ((options >> 2) & 63) - 16;  // -16..110, even

    static const std::vector<std::unique_ptr<vk6::Decoder>> decoders = makeDecoders();
    std::vector<uint16_t> reference, firstTarget;
    bool firstResult = false;
    for (const auto& decoder : decoders) {
        if (!decoder->init(options & 1 ? 16 : 15, height, kWidth, "XQM6")) std::abort();
        const size_t pixels = size_t(decoder->pictureRows()) * kWidth;
        if (reference.empty()) {
            reference.resize(pixels);
            for (size_t i = 0; i < pixels; ++i) reference[i] = uint16_t(i * 2654435761u >> 16);
        }
        const std::vector<uint16_t> referenceBefore = reference;
        std::vector<uint16_t> target(pixels, 0x5a5a);
        const bool result = decoder->decodeFrame(frame.data(), frame.size(), reference.data(), target.data());
        if (reference != referenceBefore) std::abort();
        if (firstTarget.empty()) {
            firstResult = result;
            firstTarget = std::move(target);
        } else if (result != firstResult || target != firstTarget) {
            std::abort();
        }
    }
    return 0;
}

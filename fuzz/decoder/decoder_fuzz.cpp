// Any bytes as a frame through the bounded entry point: the decoder must read
// only the frame, its pictures and its own state, and write only the target.
// Every kernel level the processor runs decodes the frame; all must give the
// same result and the same target picture, even for malformed frames.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "decoder_fuzz_input.h"
#include "pipeline/decoder.h"

namespace {

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
    const vk6::fuzz::DecoderFuzzInput input = vk6::fuzz::decoderFuzzInput(data, size);

    // Buffers for the tallest picture an input can ask for, made once: the
    // pattern depends only on the pixel's index, so every height uses a prefix.
    // Whole-buffer work goes through memset and memcmp, which coverage does
    // not trace cell by cell.
    static const std::vector<std::unique_ptr<vk6::Decoder>> decoders = makeDecoders();
    static const std::vector<uint16_t> pattern = vk6::fuzz::referencePattern(vk6::fuzz::kMaxPixels);
    static std::vector<uint16_t> reference = pattern, target(pattern.size()), firstTarget(pattern.size());
    bool firstResult = false;
    for (size_t level = 0; level < decoders.size(); ++level) {
        vk6::Decoder& decoder = *decoders[level];
        if (!decoder.init(input.type, input.height, vk6::fuzz::kWidth, "XQM6")) std::abort();
        const size_t bytes = size_t(decoder.pictureRows()) * vk6::fuzz::kWidth * sizeof(uint16_t);
        if (bytes > pattern.size() * sizeof(uint16_t)) std::abort();
        std::memset(target.data(), vk6::fuzz::kTargetFillByte, bytes);
        const bool result = decoder.decodeFrame(input.frame.data(), input.frame.size(), reference.data(), target.data());
        if (std::memcmp(reference.data(), pattern.data(), bytes) != 0) std::abort();
        if (level == 0) {
            firstResult = result;
            std::memcpy(firstTarget.data(), target.data(), bytes);
        } else if (result != firstResult || std::memcmp(target.data(), firstTarget.data(), bytes) != 0) {
            std::abort();
        }
    }
    return 0;
}

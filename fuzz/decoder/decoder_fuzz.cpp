// Any bytes as a frame through the bounded entry point: the decoder must read
// only the frame, its pictures and its own state, and write only the target.
// Every kernel level the processor runs decodes the frame; all must give the
// same result and the same target picture, even for malformed frames.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
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

    static const std::vector<std::unique_ptr<vk6::Decoder>> decoders = makeDecoders();
    std::vector<uint16_t> reference, firstTarget;
    bool firstResult = false;
    for (const auto& decoder : decoders) {
        if (!decoder->init(input.type, input.height, vk6::fuzz::kWidth, "XQM6")) std::abort();
        const size_t pixels = size_t(decoder->pictureRows()) * vk6::fuzz::kWidth;
        if (reference.empty()) reference = vk6::fuzz::referencePattern(pixels);
        const std::vector<uint16_t> referenceBefore = reference;
        std::vector<uint16_t> target(pixels, vk6::fuzz::kTargetFill);
        const bool result = decoder->decodeFrame(input.frame.data(), input.frame.size(), reference.data(), target.data());
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

// Any bytes as a frame through the bounded entry point: the decoder must read
// only the frame, its pictures and its own state, and write only the target.
// Every kernel level the processor runs decodes the frame; all must give the
// same result, report and target picture, even for malformed frames, and a
// decode must return true exactly when it reports no error. Then the frame is
// decoded once more with concealment, into buffers of the picture's exact
// size so that a sanitizer sees any access past them: the abandoned part must
// show the reference and the rest what the decode without it left.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "decoder/vk6_internal.h"
#include "fuzz/decoder/decoder_fuzz_input.h"

namespace {

// One decoder per kernel level the processor runs, the reference first.
std::vector<std::unique_ptr<decoder::Decoder>> makeDecoders() {
    std::vector<std::unique_ptr<decoder::Decoder>> decoders;
    for (decoder::KernelLevel level : decoder::allKernelLevels())
        if (level <= decoder::bestKernelLevel())
            decoders.push_back(std::make_unique<decoder::Decoder>(decoder::kernelsFor(level)));
    return decoders;
}

bool sameReport(const decoder::DecodeReport& a, const decoder::DecodeReport& b) {
    return a.code == b.code && a.x == b.x && a.y == b.y && a.pieceShape == b.pieceShape &&
           a.pieceIndex == b.pieceIndex && a.stream == b.stream && a.offset == b.offset;
}

// Whether concealment replaces pixel (x, y): from the failed block on, or
// everywhere for a failure of the frame as a whole; nowhere for an empty
// frame, which comes as a null pointer and is refused before decoding.
bool concealed(const decoder::DecodeReport& report, size_t x, size_t y) {
    if (report.whole() || report.code == format::DecodeError::NullArgument) return false;
    if (report.x < 0) return true;
    const size_t blockX = size_t(report.x), blockY = size_t(report.y);
    return y >= blockY + 8 || (y >= blockY && x >= blockX);
}

void checkConcealment(decoder::Decoder& decoder, const fuzz::DecoderFuzzInput& input, const bool result,
                      const decoder::DecodeReport& report, const uint16_t* decoded) {
    const size_t pixels = size_t(decoder.pictureRows()) * fuzz::kWidth;
    const std::vector<uint16_t> reference = fuzz::referencePattern(pixels);
    std::vector<uint16_t> target(pixels, uint16_t(fuzz::kTargetFillByte * 0x0101));
    decoder.setConcealment(true);
    const bool concealedResult =
        decoder.decodeFrame(input.frame.data(), input.frame.size(), reference.data(), target.data());
    decoder.setConcealment(false);
    if (concealedResult != result || !sameReport(decoder.lastReport(), report)) std::abort();
    for (size_t i = 0; i < pixels; ++i) {
        const bool replaced = concealed(report, i % fuzz::kWidth, i / fuzz::kWidth);
        if (target[i] != (replaced ? reference[i] : decoded[i])) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const fuzz::DecoderFuzzInput input = fuzz::decoderFuzzInput(data, size);

    // Buffers for the tallest picture an input can ask for, made once: the
    // pattern depends only on the pixel's index, so every height uses a prefix.
    // Whole-buffer work goes through memset and memcmp, which coverage does
    // not trace cell by cell.
    static const std::vector<std::unique_ptr<decoder::Decoder>> decoders = makeDecoders();
    static const std::vector<uint16_t> pattern = fuzz::referencePattern(fuzz::kMaxPixels);
    static std::vector<uint16_t> reference = pattern, target(pattern.size()), firstTarget(pattern.size());
    bool firstResult = false;
    decoder::DecodeReport firstReport;
    for (size_t level = 0; level < decoders.size(); ++level) {
        decoder::Decoder& decoder = *decoders[level];
        if (!decoder.init(input.type, input.height, fuzz::kWidth, "XQM6")) std::abort();
        const size_t bytes = size_t(decoder.pictureRows()) * fuzz::kWidth * sizeof(uint16_t);
        if (bytes > pattern.size() * sizeof(uint16_t)) std::abort();
        std::memset(target.data(), fuzz::kTargetFillByte, bytes);
        const bool result =
            decoder.decodeFrame(input.frame.data(), input.frame.size(), reference.data(), target.data());
        if (std::memcmp(reference.data(), pattern.data(), bytes) != 0) std::abort();
        if (result != decoder.lastReport().whole()) std::abort();
        if (level == 0) {
            firstResult = result;
            firstReport = decoder.lastReport();
            std::memcpy(firstTarget.data(), target.data(), bytes);
        } else if (result != firstResult || !sameReport(decoder.lastReport(), firstReport) ||
                   std::memcmp(target.data(), firstTarget.data(), bytes) != 0) {
            std::abort();
        }
    }
    checkConcealment(*decoders[0], input, firstResult, firstReport, firstTarget.data());
    return 0;
}

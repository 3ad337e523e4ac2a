// Any bytes as a stream file in memory: the reader accepts or refuses them
// with a support::FileError, never reading outside the buffer. An accepted stream is
// read frame by frame and decoded (for heights up to 64 rows), and written
// again: the copy reads back with the same header and frames.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "decoder/vk6_internal.h"
#include "stream/stream_reader.h"
#include "stream/stream_writer.h"
#include "support/file_error.h"

namespace {

constexpr int kMaxDecodedHeight = 64;

stream::StreamReader readStream(std::span<const uint8_t> bytes) {
    return stream::StreamReader(std::make_unique<stream::MemorySource>(bytes), "input");
}

void decodeAll(stream::StreamReader& reader) {
    const stream::StreamInfo& info = reader.info();
    if (info.height > kMaxDecodedHeight) return;
    decoder::Decoder decoder;
    if (!decoder.init(info.pixelType, info.height, format::kPictureWidth, "XQM6")) std::abort();
    const size_t pixels = size_t(decoder.pictureRows()) * format::kPictureWidth;
    std::vector<uint16_t> reference(pixels, 0), target(pixels, 0);
    std::vector<uint8_t> frame;
    for (uint32_t number = 0; number < info.frameCount; ++number) {
        reader.readFrame(number, frame);
        decoder.decodeFrame(frame.data(), frame.size(), reference.data(), target.data());
        std::swap(reference, target);
    }
}

void checkRewrite(stream::StreamReader& reader) {
    std::stringstream out;
    stream::StreamWriter writer(out, "copy", reader.info(), reader.info().frameCount);
    std::vector<std::vector<uint8_t>> frames(reader.info().frameCount);
    for (uint32_t number = 0; number < frames.size(); ++number) {
        reader.readFrame(number, frames[number]);
        writer.addFrame(frames[number]);
    }
    writer.finish();
    const std::string bytes = out.str();
    auto copy = readStream({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
    const stream::StreamInfo &a = reader.info(), &b = copy.info();
    if (a.pixelType != b.pixelType || a.height != b.height || a.rate.numerator != b.rate.numerator ||
        a.rate.denominator != b.rate.denominator || a.frameCount != b.frameCount)
        std::abort();
    std::vector<uint8_t> frame;
    for (uint32_t number = 0; number < frames.size(); ++number) {
        copy.readFrame(number, frame);
        if (frame != frames[number] || copy.index()[number].flags != reader.index()[number].flags) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        auto reader = readStream({data, size});
        decodeAll(reader);
        checkRewrite(reader);
    } catch (const support::FileError& error) {
        // A refused stream: the only failure the reader has.
    }
    return 0;
}

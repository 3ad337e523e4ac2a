#include "decoder/pipeline/decoder.h"

#include "decoder/pipeline/concealment.h"
#include "decoder/pipeline/frame_driver.h"

namespace decoder {

using format::DecodeError;
using format::kPictureWidth;

namespace {

bool isMagic(const char* header) {
    static constexpr char kMagic[] = "XQM6";
    for (int i = 0; i < 4; ++i) {
        char c = header[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != kMagic[i]) return false;
    }
    return header[4] == '\0';
}

}  // namespace

Decoder::Decoder(const BlockKernels& kernels) : kernels_(kernels), state_(std::make_unique<DecoderState>()) {}

bool Decoder::init(int32_t type, int32_t height, int32_t width, const char* header) {
    if ((height & 1) != 0) return false;
    if (width != kPictureWidth) return false;
    if (header == nullptr || !isMagic(header)) return false;
    if (!format::knownPixelType(type)) return false;

    DecoderState& s = *state_;
    buildPositionTables(s.geometry);
    buildChromaTables(s.colour);
    buildColourTables(static_cast<PixelFormat>(type), s.colour);
    s.height = height;
    buildDisplacementTables(s.geometry);
    initialised_ = true;
    return true;
}

int64_t Decoder::pictureRows() const { return format::pictureRows(state_->height); }

bool Decoder::decodeFrame(const void* frame, size_t frameSize, const uint16_t* reference, uint16_t* target) {
    // Compared in 64 bits: on a 32-bit target the unknown-size mark does not fit a size_t.
    const int64_t size =
        uint64_t{frameSize} < uint64_t(FrameBytes::kUnknownSize) ? int64_t(frameSize) : FrameBytes::kUnknownSize;
    return decode(frame, size, reference, target);
}

bool Decoder::decodeFrameUnbounded(const void* frame, const uint16_t* reference, uint16_t* target) {
    return decode(frame, FrameBytes::kUnknownSize, reference, target);
}

bool Decoder::decode(const void* frame, int64_t frameSize, const uint16_t* reference, uint16_t* target) {
    report_ = {};
    if (!initialised_ || frame == nullptr || target == nullptr) {
        report_.code = initialised_ ? DecodeError::NullArgument : DecodeError::NotInitialised;
        return false;
    }
    // A driver without an observer has no code for one.
    const auto drive = [&](auto&& driver) {
        if (driver.run(reference, target)) return true;
        report_ = driver.report();
        return false;
    };
    const FrameBytes bytes(frame, frameSize);
    const int64_t pixels = pictureRows() * kPictureWidth;
    const bool whole = observer_ == nullptr ? drive(FrameDriver<false>(*state_, kernels_, bytes, pixels))
                                            : drive(FrameDriver<true>(*state_, kernels_, bytes, pixels, observer_));
    if (whole) return true;
    if (conceal_) concealFromFailedBlock(report_, reference, target, pictureRows());
    return false;
}

}  // namespace decoder

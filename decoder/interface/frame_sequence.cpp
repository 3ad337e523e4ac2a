#include "decoder/interface/frame_sequence.h"

#include <algorithm>
#include <utility>

#include "format/decode_errors.h"
#include "format/picture.h"

namespace decoder {

FrameSequence::FrameSequence(const HandleFunctions& library, int32_t pixelType, int32_t height)
    : library_(library), handle_(library.create(pixelType, height)) {
    if (handle_ == nullptr) return;
    library_.setConcealment(handle_, 1);
    const size_t pixels = size_t(library_.pictureRows(handle_)) * format::kPictureWidth;
    buffers_.reference.assign(pixels, 0);
    buffers_.target.assign(pixels, 0);
}

FrameSequence::~FrameSequence() {
    if (handle_ != nullptr) library_.destroy(handle_);
}

bool FrameSequence::decode(std::span<const uint8_t> frame) {
    const bool whole = library_.decodeFrame(handle_, frame.data(), uint32_t(frame.size()), buffers_.reference.data(),
                                            buffers_.target.data()) == 1;
    std::swap(buffers_.reference, buffers_.target);
    return whole;
}

void FrameSequence::repeat() {
    buffers_.target = buffers_.reference;
    std::swap(buffers_.reference, buffers_.target);
}

void FrameSequence::fill(uint16_t value) {
    std::fill(buffers_.reference.begin(), buffers_.reference.end(), value);
    std::fill(buffers_.target.begin(), buffers_.target.end(), value);
}

XQMPI_ErrorReport FrameSequence::report() const {
    XQMPI_ErrorReport report;
    library_.lastError(handle_, &report);
    return report;
}

std::string FrameSequence::failure() const {
    const XQMPI_ErrorReport last = report();
    return format::describeFailure(last, library_.errorText(last.code));
}

}  // namespace decoder

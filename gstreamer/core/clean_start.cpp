#include "gstreamer/core/clean_start.h"

#include "decoder/interface/frame_sequence.h"

namespace gstreamer {

bool startsCleanly(const stream::StreamInfo& info, std::span<const uint8_t> intra, std::span<const uint8_t> next) {
    // The same frames from buffers all zero and from buffers all one.
    const decoder::HandleFunctions library = decoder::linkedHandleFunctions();
    decoder::FrameSequence zeros(library, info.pixelType, info.height), ones(library, info.pixelType, info.height);
    if (zeros.refused() || ones.refused()) return false;
    ones.fill(0xffff);
    for (std::span<const uint8_t> frame : {intra, next}) {
        if (frame.empty()) break;
        zeros.decode(frame);
        ones.decode(frame);
        if (zeros.pictureBuffer() != ones.pictureBuffer()) return false;
    }
    return true;
}

}  // namespace gstreamer

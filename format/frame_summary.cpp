#include "format/frame_summary.h"

#include "format/frame_header.h"

namespace format {

FrameSummary summariseFrame(std::span<const uint8_t> frame) {
    const FrameHeader header = readFrameHeader(frame);
    FrameSummary summary;
    summary.intra = header.isIntra();
    summary.quality = header.qualityMagnitude();

    const int64_t size = int64_t(frame.size());
    auto inside = [&](int64_t offset) { return offset >= kFrameHeaderSize && offset <= size; };
    const int64_t starts[4] = {header.controlOffset, header.vectorOffset, header.spiralOffset, header.nibbleOffset};
    for (int stream = 0; stream < 3; ++stream) {
        const int64_t start = starts[stream];
        if (!inside(start)) {
            summary.streamSizes[stream] = -1;
            continue;
        }
        int64_t end = size;
        for (int64_t bound : {starts[0], starts[1], starts[2], starts[3], int64_t(header.nibbleEnd)})
            if (bound > start && bound < end) end = bound;
        summary.streamSizes[stream] = end - start;
    }
    const bool nibblesInside =
        inside(header.nibbleOffset) && inside(header.nibbleEnd) && header.nibbleEnd >= header.nibbleOffset;
    summary.streamSizes[3] = nibblesInside ? int64_t(header.nibbleEnd) - header.nibbleOffset : -1;
    return summary;
}

}  // namespace format

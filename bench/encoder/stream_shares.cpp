#include "bench/encoder/stream_shares.h"

#include <cstdio>

#include "format/frame_summary.h"

namespace bench {

void StreamShares::add(std::span<const uint8_t> frame) {
    const format::FrameSummary summary = format::summariseFrame(frame);
    Kind& kind = summary.intra ? intra_ : predicted_;
    kind.frames += 1;
    kind.bytes += double(frame.size());
    // The encoder's own frames place every stream inside the frame.
    for (size_t stream = 0; stream < kind.streams.size(); ++stream)
        kind.streams[stream] += double(summary.streamSizes[stream]);
}

void StreamShares::printHeading() {
    std::printf("%-6s %-9s %6s %12s %9s %8s %8s %8s %6s\n", "clip", "frames", "count", "bytes/frame", "control",
                "vector", "spiral", "nibbles", "rest");
}

void StreamShares::printRows(const char* clip) const {
    if (intra_.frames > 0) printRow(clip, "intra", intra_);
    if (predicted_.frames > 0) printRow(clip, "predicted", predicted_);
}

void StreamShares::printRow(const char* clip, const char* kind, const Kind& sums) {
    double rest = sums.bytes;
    for (double bytes : sums.streams) rest -= bytes;
    auto share = [&](double bytes) { return 100 * bytes / sums.bytes; };
    std::printf("%-6s %-9s %6d %12.0f %8.1f%% %7.1f%% %7.1f%% %7.1f%% %5.1f%%\n", clip, kind, sums.frames,
                sums.bytes / sums.frames, share(sums.streams[0]), share(sums.streams[1]), share(sums.streams[2]),
                share(sums.streams[3]), share(rest));
}

}  // namespace bench

#include "media/chroma_upsampling.h"

namespace media {

namespace {

// The two chroma samples a full-resolution position takes (3/4 and 1/4 of
// them); with no subsampling both are the sample itself.
struct Taps {
    int nearest;
    int next;
};

Taps taps(int position, int factor, int samples) {
    if (factor == 1) return {position, position};
    const int nearest = position / 2;
    int next = position % 2 == 0 ? nearest - 1 : nearest + 1;
    if (next < 0) next = 0;
    if (next >= samples) next = samples - 1;
    return {nearest, next};
}

}  // namespace

std::vector<uint8_t> upsampleChroma(const uint8_t* plane, int width, int height, int xFactor, int yFactor) {
    const int planeWidth = (width + xFactor - 1) / xFactor;
    const int planeHeight = (height + yFactor - 1) / yFactor;
    std::vector<uint8_t> full(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
        const Taps rows = taps(y, yFactor, planeHeight);
        const uint8_t* nearRow = plane + size_t(rows.nearest) * planeWidth;
        const uint8_t* nextRow = plane + size_t(rows.next) * planeWidth;
        for (int x = 0; x < width; ++x) {
            const Taps columns = taps(x, xFactor, planeWidth);
            auto column = [&](int at) { return 3 * nearRow[at] + nextRow[at]; };  // 4 x the sample
            const int sum = 3 * column(columns.nearest) + column(columns.next);   // 16 x the sample
            full[size_t(y) * width + x] = uint8_t((sum + 8) >> 4);
        }
    }
    return full;
}

}  // namespace media

#include "media/png_filters.h"

#include <cstdlib>

namespace media {

namespace {

// Of a, b and c, the one nearest to a + b - c; ties go to a, then b.
uint8_t paeth(int a, int b, int c) {
    const int pa = std::abs(b - c);
    const int pb = std::abs(a - c);
    const int pc = std::abs(a + b - 2 * c);
    if (pa <= pb && pa <= pc) return uint8_t(a);
    return uint8_t(pb <= pc ? b : c);
}

// The prediction of byte i of a row whose bytes before i are known (in the
// unfiltered row `done`).
uint8_t predict(PngFilter filter, const uint8_t* done, const uint8_t* above, size_t i, size_t bpp) {
    const int a = i >= bpp ? done[i - bpp] : 0;
    const int b = above[i];
    const int c = i >= bpp ? above[i - bpp] : 0;
    switch (filter) {
        case PngFilter::None: return 0;
        case PngFilter::Sub: return uint8_t(a);
        case PngFilter::Up: return uint8_t(b);
        case PngFilter::Average: return uint8_t((a + b) / 2);
        case PngFilter::Paeth: return paeth(a, b, c);
    }
    return 0;
}

}  // namespace

void unfilterPngRow(PngFilter filter, uint8_t* row, const uint8_t* above, size_t size, size_t bpp) {
    if (filter == PngFilter::None) return;
    for (size_t i = 0; i < size; ++i) row[i] = uint8_t(row[i] + predict(filter, row, above, i, bpp));
}

void filterPngRow(PngFilter filter, const uint8_t* row, const uint8_t* above, uint8_t* out, size_t size, size_t bpp) {
    for (size_t i = 0; i < size; ++i) out[i] = uint8_t(row[i] - predict(filter, row, above, i, bpp));
}

}  // namespace media

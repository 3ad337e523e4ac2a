#pragma once
// The five PNG row filters, both ways. Each predicts a byte from the byte one
// pixel to the left (a), the byte above (b) and the one above that one (c);
// the first row's row above is all zero.

#include <cstddef>
#include <cstdint>

namespace media {

enum class PngFilter : uint8_t { None, Sub, Up, Average, Paeth };
constexpr int kPngFilterCount = 5;

// Undoes the filter of row (size bytes) in place; bpp: bytes per pixel, at least 1.
void unfilterPngRow(PngFilter filter, uint8_t* row, const uint8_t* above, size_t size, size_t bpp);

// row filtered into out.
void filterPngRow(PngFilter filter, const uint8_t* row, const uint8_t* above, uint8_t* out, size_t size, size_t bpp);

}  // namespace media

#include "decoder/pipeline/concealment.h"

#include <cstring>

#include "decoder/pipeline/geometry_tables.h"

namespace decoder {

using format::kPictureWidth;

void concealFromFailedBlock(const DecodeReport& report, const uint16_t* reference, uint16_t* target, int64_t rows) {
    if (report.whole() || reference == nullptr || reference == target) return;
    constexpr int64_t kWidth = kPictureWidth;
    const int64_t x = report.x < 0 ? 0 : report.x, y = report.y < 0 ? 0 : report.y;
    // The buffers are distinct but may overlap: memmove keeps each row's copy sound.
    for (int64_t row = y; row < y + 8 && row < rows; ++row)
        std::memmove(target + row * kWidth + x, reference + row * kWidth + x, 2 * size_t(kWidth - x));
    if (y + 8 < rows)
        std::memmove(target + (y + 8) * kWidth, reference + (y + 8) * kWidth, 2 * size_t((rows - y - 8) * kWidth));
}

}  // namespace decoder

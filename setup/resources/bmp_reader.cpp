#include "setup/resources/bmp_reader.h"

#include <algorithm>
#include <cstdlib>

namespace setup {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kMinInfoHeaderSize = 40;
constexpr std::int64_t kMaxSide = 1 << 14;

std::uint32_t u32(std::span<const std::uint8_t> b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t u16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

}  // namespace

bool readBmp24(std::span<const std::uint8_t> file, BitmapBits& out) {
    if (file.size() < kFileHeaderSize + kMinInfoHeaderSize || file[0] != 'B' || file[1] != 'M') return false;
    const std::uint32_t pixelOffset = u32(file, 10);
    const std::uint32_t infoSize = u32(file, 14);
    const auto width = static_cast<std::int32_t>(u32(file, 18));
    const auto height = static_cast<std::int32_t>(u32(file, 22));
    if (infoSize < kMinInfoHeaderSize || u16(file, 26) != 1 || u16(file, 28) != 24 || u32(file, 30) != 0) return false;
    // A negative height stores the rows from the top.
    const std::int64_t rows = std::llabs(static_cast<std::int64_t>(height));
    if (width <= 0 || width > kMaxSide || rows == 0 || rows > kMaxSide) return false;
    const std::int64_t stride = (static_cast<std::int64_t>(width) * 3 + 3) & ~std::int64_t{3};
    if (pixelOffset < kFileHeaderSize + infoSize ||
        pixelOffset + stride * rows > static_cast<std::int64_t>(file.size()))
        return false;

    BitmapBits bits;
    bits.width = width;
    bits.height = static_cast<int>(rows);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    bits.bgr.resize(rowBytes * static_cast<std::size_t>(rows));
    for (std::int64_t y = 0; y < rows; ++y) {
        const std::int64_t stored = height > 0 ? rows - 1 - y : y;
        const std::uint8_t* src = file.data() + pixelOffset + stored * stride;
        std::copy(src, src + rowBytes,
                  bits.bgr.begin() + static_cast<std::ptrdiff_t>(y * static_cast<std::int64_t>(rowBytes)));
    }
    out = std::move(bits);
    return true;
}

}  // namespace setup

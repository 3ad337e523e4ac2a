#include "encoder/picture_planes.h"

#include <array>
#include <cstdlib>

#include "format/piece_shapes.h"

namespace encoder {

namespace {

uint8_t lumaOf(int red, int green, int blue) {
    return static_cast<uint8_t>((77 * red + 150 * green + 29 * blue + 128) >> 8);
}

}  // namespace

void RgbPlanes::resize(int pictureRows) {
    rows = pictureRows;
    const size_t size = size_t(kWidth) * size_t(pictureRows);
    red.assign(size, 0);
    green.assign(size, 0);
    blue.assign(size, 0);
    luma.assign(size, 0);
}

void loadSource(const uint8_t* rgb24, int height, RgbPlanes& planes) {
    for (int y = 0; y < planes.rows; ++y) {
        const uint8_t* row = rgb24 + size_t(y < height ? y : height - 1) * kWidth * 3;
        for (int x = 0; x < kWidth; ++x) {
            const size_t i = planes.at(x, y);
            planes.red[i] = row[3 * x];
            planes.green[i] = row[3 * x + 1];
            planes.blue[i] = row[3 * x + 2];
            planes.luma[i] = lumaOf(row[3 * x], row[3 * x + 1], row[3 * x + 2]);
        }
    }
}

void PixelExpander::expand(uint16_t pixel, uint8_t& red, uint8_t& green, uint8_t& blue) const {
    const format::Rgb8 wide = format::widenPixel(pixel, pixelType_);
    red = wide.r;
    green = wide.g;
    blue = wide.b;
}

void PixelExpander::expandRegion(const uint16_t* picture, int x, int firstRow, int width, int rowCount,
                                 RgbPlanes& planes) const {
    for (int y = firstRow; y < firstRow + rowCount; ++y)
        for (int column = x; column < x + width; ++column) {
            const size_t i = planes.at(column, y);
            expand(picture[i], planes.red[i], planes.green[i], planes.blue[i]);
            planes.luma[i] = lumaOf(planes.red[i], planes.green[i], planes.blue[i]);
        }
}

int64_t symmetricSquareError(const RgbPlanes& source, int x, int y, const RgbPlanes& picture, int px, int py, int size,
                             int mode, int64_t limit) {
    // Picture offsets of each destination pixel, row-major, for squares of 8 and of 4.
    static constexpr auto kOffsets = [] {
        std::array<std::array<std::array<int32_t, 64>, 8>, 2> offsets{};
        for (int s = 0; s < 2; ++s) {
            const int side = s == 0 ? 8 : 4;
            for (int m = 0; m < 8; ++m)
                for (int i = 0; i < side * side; ++i) {
                    const format::SourcePixel from = format::sourcePixel(m, i % side, i / side, side, side);
                    offsets[s][m][i] = from.y * kWidth + from.x;
                }
        }
        return offsets;
    }();
    const std::array<int32_t, 64>& offsets = kOffsets[size == 8 ? 0 : 1][mode];
    const size_t base = picture.at(px, py);
    int64_t sum = 0;
    for (int row = 0; row < size && sum <= limit; ++row) {
        const size_t i = source.at(x, y + row);
        for (int column = 0; column < size; ++column) {
            const size_t j = base + size_t(offsets[size * row + column]);
            const int dr = source.red[i + column] - picture.red[j];
            const int dg = source.green[i + column] - picture.green[j];
            const int db = source.blue[i + column] - picture.blue[j];
            sum += dr * dr + dg * dg + db * db;
        }
    }
    return sum;
}

void cellErrors(const RgbPlanes& source, int x, int y, const RgbPlanes& picture, int px, int py, int32_t (&cells)[16]) {
    for (int32_t& cell : cells) cell = 0;
    for (int row = 0; row < 8; ++row) {
        const size_t i = source.at(x, y + row), j = picture.at(px, py + row);
        int32_t pixelErrors[8];
        for (int column = 0; column < 8; ++column) {
            const int dr = source.red[i + column] - picture.red[j + column];
            const int dg = source.green[i + column] - picture.green[j + column];
            const int db = source.blue[i + column] - picture.blue[j + column];
            pixelErrors[column] = dr * dr + dg * dg + db * db;
        }
        int32_t* cellRow = cells + 4 * (row >> 1);
        for (int cell = 0; cell < 4; ++cell) cellRow[cell] += pixelErrors[2 * cell] + pixelErrors[2 * cell + 1];
    }
}

int lumaSad8x8(const RgbPlanes& a, int ax, int ay, const RgbPlanes& b, int bx, int by) {
    int sum = 0;
    for (int row = 0; row < 8; ++row) {
        const uint8_t* p = a.luma.data() + a.at(ax, ay + row);
        const uint8_t* q = b.luma.data() + b.at(bx, by + row);
        for (int column = 0; column < 8; ++column) sum += std::abs(p[column] - q[column]);
    }
    return sum;
}

}  // namespace encoder

#pragma once
// Pictures as the encoder compares them: 8-bit red, green and blue planes and
// a luma plane, 640 pixels wide. Source frames are padded to whole blocks by
// repeating their last row; decoded 16-bit pictures are expanded the way a
// screen shows them (each field's top bits repeated below it).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "format/picture.h"
#include "format/pixel_types.h"

namespace encoder {

inline constexpr int kWidth = format::kPictureWidth;

struct RgbPlanes {
    int rows = 0;
    std::vector<uint8_t> red, green, blue, luma;

    void resize(int pictureRows);
    size_t at(int x, int y) const { return size_t(y) * kWidth + size_t(x); }
};

// The source's `height` rows, then its last row repeated up to planes.rows.
void loadSource(const uint8_t* rgb24, int height, RgbPlanes& planes);

// 16-bit pixels to 8-bit channels for pixel type 15 or 16.
class PixelExpander {
public:
    explicit PixelExpander(int pixelType) : pixelType_(uint16_t(pixelType)) {}

    void expand(uint16_t pixel, uint8_t& red, uint8_t& green, uint8_t& blue) const;
    // Rows [firstRow, firstRow + rowCount) and columns [x, x + width) of a decoded picture.
    void expandRegion(const uint16_t* picture, int x, int firstRow, int width, int rowCount, RgbPlanes& planes) const;

private:
    uint16_t pixelType_;
};

// The error of a size x size square (8 or 4) against a picture square read
// through a copy mode's symmetry: pixel (x, y) against picture pixel
// sourcePixel(mode, x, y). Stops adding, row by row, once the sum passes `limit`.
int64_t symmetricSquareError(const RgbPlanes& source, int x, int y, const RgbPlanes& picture, int px, int py, int size,
                             int mode, int64_t limit);

// Squared differences of an 8x8 block, summed per 2x2 cell (4 x 4 cells, row-major).
void cellErrors(const RgbPlanes& source, int x, int y, const RgbPlanes& picture, int px, int py, int32_t (&cells)[16]);

// Sum of absolute luma differences of two 8x8 blocks.
int lumaSad8x8(const RgbPlanes& a, int ax, int ay, const RgbPlanes& b, int bx, int by);

}  // namespace encoder

#include "media/picture_scaling.h"

#include <algorithm>
#include <cstdint>

namespace media {

namespace {

// The share of source pixel s in target pixel t, where each target pixel
// covers `from / to` source pixels, in units of 1 / to.
int64_t overlap(int s, int t, int from, int to) {
    const int64_t low = std::max<int64_t>(int64_t(s) * to, int64_t(t) * from);
    const int64_t high = std::min<int64_t>(int64_t(s + 1) * to, int64_t(t + 1) * from);
    return std::max<int64_t>(0, high - low);
}

}  // namespace

RgbPicture scaleToFit(const RgbPicture& picture, int size) {
    const int longest = std::max(picture.width, picture.height);
    if (longest <= size) return picture;
    const int width = std::max(1, int(int64_t(picture.width) * size / longest));
    const int height = std::max(1, int(int64_t(picture.height) * size / longest));
    RgbPicture scaled;
    scaled.resize(width, height);
    const int64_t area = int64_t(picture.width) * picture.height;
    for (int ty = 0; ty < height; ++ty) {
        const int y0 = int(int64_t(ty) * picture.height / height);
        const int y1 = int((int64_t(ty + 1) * picture.height + height - 1) / height);
        for (int tx = 0; tx < width; ++tx) {
            const int x0 = int(int64_t(tx) * picture.width / width);
            const int x1 = int((int64_t(tx + 1) * picture.width + width - 1) / width);
            int64_t sum[3] = {0, 0, 0};
            for (int y = y0; y < y1; ++y) {
                const int64_t wy = overlap(y, ty, picture.height, height);
                for (int x = x0; x < x1; ++x) {
                    const int64_t w = wy * overlap(x, tx, picture.width, width);
                    const uint8_t* p = &picture.rgb[3 * (size_t(y) * picture.width + x)];
                    for (int c = 0; c < 3; ++c) sum[c] += w * p[c];
                }
            }
            uint8_t* out = &scaled.rgb[3 * (size_t(ty) * width + tx)];
            for (int c = 0; c < 3; ++c) out[c] = uint8_t((sum[c] + area / 2) / area);
        }
    }
    return scaled;
}

}  // namespace media

#pragma once
// A picture of 8-bit red, green and blue samples, rows from the top, no gaps.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace media {

struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // 3 x width x height

    void resize(int w, int h) {
        width = w;
        height = h;
        rgb.resize(size_t(3) * size_t(w) * size_t(h));
    }
};

}  // namespace media

#pragma once
// Writes YUV4MPEG2 (Y4M) video in 8-bit 4:4:4 ("C444"), progressive, square
// pixels, from RGB pictures converted with BT.601 in limited range.

#include <cstdio>
#include <string>
#include <vector>

#include "media/rgb_picture.h"
#include "support/frame_rate.h"

namespace media {

class Y4mWriter {
public:
    // Writes the header to out; name is how messages call it.
    Y4mWriter(std::FILE* out, std::string name, int width, int height, support::FrameRate rate);
    // Throws support::FileError (Io) when the output fails.
    void write(const RgbPicture& picture);

private:
    void put(const void* data, size_t size);

    std::FILE* out_;
    std::string name_;
    std::vector<uint8_t> planes_;
};

}  // namespace media

#include "png_file.h"

#include <cstdio>
#include <vector>

#include "media/png_file.h"
#include "skin/controls.h"
#include "support/file_error.h"

namespace orv::render {

bool writePng(const std::string& path, const Surface& frame, const Surface& shape) {
    std::vector<uint8_t> rgba(static_cast<std::size_t>(frame.width) * frame.height * 4);
    for (std::size_t i = 0; i < frame.pixels.size(); ++i) {
        const Pixel p = frame.pixels[i];
        rgba[4 * i] = static_cast<uint8_t>(p >> 16);
        rgba[4 * i + 1] = static_cast<uint8_t>(p >> 8);
        rgba[4 * i + 2] = static_cast<uint8_t>(p);
        rgba[4 * i + 3] = shape.pixels[i] == kKeyColour ? 0 : 255;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool written = true;
    try {
        // The window's pictures say nothing of their colour space, as always.
        media::writePng(file, path, frame.width, frame.height, 4, rgba.data(), media::PngColourSpace::Unstated);
    } catch (const orv::FileError&) {
        written = false;
    }
    return std::fclose(file) == 0 && written;
}

}  // namespace orv::render

#include "tools/render/frame_png.h"

#include <vector>

#include "media/file_handle.h"
#include "media/png_file.h"
#include "setup/skin/controls.h"
#include "support/file_error.h"

namespace render {

bool writePng(const std::string& path, const setup::Surface& frame, const setup::Surface& shape) {
    std::vector<uint8_t> rgba(static_cast<std::size_t>(frame.width) * frame.height * 4);
    for (std::size_t i = 0; i < frame.pixels.size(); ++i) {
        const setup::Pixel p = frame.pixels[i];
        rgba[4 * i] = static_cast<uint8_t>(p >> 16);
        rgba[4 * i + 1] = static_cast<uint8_t>(p >> 8);
        rgba[4 * i + 2] = static_cast<uint8_t>(p);
        rgba[4 * i + 3] = shape.pixels[i] == setup::kKeyColour ? 0 : 255;
    }
    try {
        media::FileHandle file(path, "wb");
        // The window's pictures say nothing of their colour space, as always.
        media::writePng(file.get(), path, frame.width, frame.height, 4, rgba.data(), media::PngColourSpace::Unstated);
        file.close();
        return true;
    } catch (const support::FileError&) {
        return false;
    }
}

}  // namespace render

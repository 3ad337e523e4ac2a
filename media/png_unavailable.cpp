// PNG pictures in a build without libpng: refused with a message.

#include "media/png_file.h"
#include "support/file_error.h"

namespace media {

namespace {

[[noreturn]] void refuse(const std::string& name) {
    throw orv::FileError::format(name + ": PNG pictures are not supported by this build");
}

}  // namespace

RgbPicture readPng(const std::string& path) { refuse(path); }

void writePng(std::FILE*, const std::string& name, int, int, int, const uint8_t*, PngColourSpace) { refuse(name); }

}  // namespace media

#include "media/png_file.h"

#include <png.h>

#include <cerrno>
#include <cstring>

#include "support/file_error.h"

namespace media {

RgbPicture readPng(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) throw orv::FileError::io(path + ": cannot open: " + std::strerror(errno));
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    RgbPicture picture;
    bool read = png_image_begin_read_from_stdio(&image, file) != 0;
    if (read) {
        image.format = PNG_FORMAT_RGB;
        picture.resize(int(image.width), int(image.height));
        const png_color black{0, 0, 0};
        read = png_image_finish_read(&image, &black, picture.rgb.data(), 0, nullptr) != 0;
    }
    const std::string problem = image.message;
    png_image_free(&image);
    std::fclose(file);
    if (!read) throw orv::FileError::format(path + ": not a PNG picture libpng reads (" + problem + ")");
    return picture;
}

void writePng(std::FILE* out, const std::string& name, int width, int height, int channels, const uint8_t* pixels) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(width);
    image.height = png_uint_32(height);
    image.format = channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    const bool written = png_image_write_to_stdio(&image, out, 0, pixels, 0, nullptr) != 0;
    png_image_free(&image);
    if (!written) throw orv::FileError::io(name + ": cannot write the PNG picture");
}

}  // namespace media

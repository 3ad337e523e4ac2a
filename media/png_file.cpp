#include "media/png_file.h"

#include <png.h>

#include <cerrno>
#include <cstring>
#include <vector>

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

namespace {

// Only plain locals here: libpng reports failures by a long jump back.
bool encodePng(std::FILE* out, png_uint_32 width, png_uint_32 height, int channels, png_bytepp rows,
               PngColourSpace space) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, out);
    png_set_IHDR(png, info, width, height, 8, channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (space == PngColourSpace::Srgb) png_set_sRGB(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
    png_set_rows(png, info, rows);
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

void writePng(std::FILE* out, const std::string& name, int width, int height, int channels, const uint8_t* pixels,
              PngColourSpace space) {
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y)
        rows[size_t(y)] = const_cast<png_bytep>(pixels) + size_t(y) * size_t(width) * size_t(channels);
    if (!encodePng(out, png_uint_32(width), png_uint_32(height), channels, rows.data(), space))
        throw orv::FileError::io(name + ": cannot write the PNG picture");
}

}  // namespace media

#include "png_file.h"

#include <png.h>

#include <cstdio>
#include <vector>

#include "skin/controls.h"

namespace orv::render {
namespace {

// Only plain locals here: libpng reports failures by a long jump back.
bool encodeRgba(std::FILE* file, png_uint_32 width, png_uint_32 height, png_bytepp rows) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_rows(png, info, rows);
  png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

bool writePng(const std::string& path, const Surface& frame, const Surface& shape) {
  std::vector<png_byte> rgba(static_cast<std::size_t>(frame.width) * frame.height * 4);
  for (std::size_t i = 0; i < frame.pixels.size(); ++i) {
    const Pixel p = frame.pixels[i];
    rgba[4 * i] = static_cast<png_byte>(p >> 16);
    rgba[4 * i + 1] = static_cast<png_byte>(p >> 8);
    rgba[4 * i + 2] = static_cast<png_byte>(p);
    rgba[4 * i + 3] = shape.pixels[i] == kKeyColour ? 0 : 255;
  }
  std::vector<png_bytep> rows(static_cast<std::size_t>(frame.height));
  for (int y = 0; y < frame.height; ++y) rows[y] = rgba.data() + static_cast<std::size_t>(y) * frame.width * 4;

  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool written = encodeRgba(file, static_cast<png_uint_32>(frame.width), static_cast<png_uint_32>(frame.height),
                            rows.data());
  return std::fclose(file) == 0 && written;
}

}  // namespace orv::render

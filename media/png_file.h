#pragma once
// PNG pictures, the same in every build (zlib for the compression).
//
// Reading takes every kind of PNG to 8-bit RGB: grey is spread to the three
// colours, palettes are looked up, 16-bit samples are rounded to 8 bits, fewer
// than 8 bits are scaled up, and transparency (an alpha channel or a tRNS
// chunk) is composed onto black. The samples are taken as they are: gamma and
// colour-space chunks do not change them. The reader checks every CRC of the
// chunks it needs, the image data's length and its zlib stream, and refuses a
// picture of more than kPngMostPixels.
//
// Writing makes 8-bit RGB or RGBA with the filters and compression libpng
// chooses by default (each row's filter the one whose bytes sum smallest,
// taken as signed), so the bytes are the same as libpng's.

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "media/rgb_picture.h"

namespace media {

// 8192 x 8192: the largest picture read.
constexpr uint64_t kPngMostPixels = uint64_t(1) << 26;

// Throws support::FileError: Io when the file cannot be read, Format when it is not a PNG.
RgbPicture readPng(const std::string& path);
// The same of a file's bytes in memory; name is how messages call them.
RgbPicture decodePng(std::span<const uint8_t> bytes, const std::string& name);

// Whether a written PNG says that its colours are sRGB (an sRGB chunk).
enum class PngColourSpace { Srgb, Unstated };

// width x height pixels of `channels` 8-bit samples (3: RGB, 4: RGBA) as a PNG file's bytes.
std::vector<uint8_t> encodePng(int width, int height, int channels, const uint8_t* pixels,
                               PngColourSpace space = PngColourSpace::Srgb);
// The same written to out; name is how messages call it. Throws support::FileError (Io).
void writePng(std::FILE* out, const std::string& name, int width, int height, int channels, const uint8_t* pixels,
              PngColourSpace space = PngColourSpace::Srgb);

}  // namespace media

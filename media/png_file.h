#pragma once
// PNG pictures through libpng. Reading takes any PNG libpng reads to 8-bit
// RGB: 8-bit RGB and grey come through unchanged, alpha is composed onto
// black. In a build
// without libpng both calls throw orv::FileError saying so.

#include <cstdint>
#include <cstdio>
#include <string>

#include "media/rgb_picture.h"

namespace media {

// Throws orv::FileError: Io when the file cannot be read, Format when it is not a PNG.
RgbPicture readPng(const std::string& path);

// Whether a written PNG says that its colours are sRGB (an sRGB chunk).
enum class PngColourSpace { Srgb, Unstated };

// Writes width x height pixels of `channels` 8-bit samples (3: RGB, 4: RGBA)
// as one PNG to out; name is how messages call it. Throws orv::FileError (Io).
void writePng(std::FILE* out, const std::string& name, int width, int height, int channels, const uint8_t* pixels,
              PngColourSpace space = PngColourSpace::Srgb);

}  // namespace media

#pragma once
// Reads an uncompressed 24-bit .bmp file into the loader's form.

#include <cstdint>
#include <span>

#include "setup/system/platform.h"

namespace setup {

// Rows come out from the top, packed without the file's 4-byte row padding.
// False, with `out` untouched, for anything but a complete, uncompressed
// 24-bit bitmap of sensible size.
bool readBmp24(std::span<const std::uint8_t> file, BitmapBits& out);

}  // namespace setup

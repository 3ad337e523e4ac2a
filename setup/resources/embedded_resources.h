#pragma once
// The program's resources built into the portable libraries, so the headless
// backend serves the same bitmaps and texts as the Windows resource section.

#include <cstdint>
#include <optional>
#include <span>

#include "setup/system/platform.h"

namespace setup {

enum class ResourceType { Bitmap, Text };

// The resource's file bytes (a .bmp file for bitmaps), or nothing.
std::optional<std::span<const std::uint8_t>> embeddedResource(ResourceType type, int id);

// Reads an embedded 24-bit .bmp into the loader's form. False when missing.
bool decodeEmbeddedBitmap(int id, BitmapBits& out);

}  // namespace setup

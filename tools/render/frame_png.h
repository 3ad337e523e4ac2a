#pragma once
// Frames as PNG pictures.

#include <string>

#include "setup/skin/surface.h"

namespace render {

// Writes the frame as 8-bit RGBA; pixels where `shape` (the hit map) holds the
// key colour are transparent, as the window's region leaves them out. False
// when the file cannot be written.
bool writePng(const std::string& path, const setup::Surface& frame, const setup::Surface& shape);

}  // namespace render

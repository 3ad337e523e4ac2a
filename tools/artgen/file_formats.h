#pragma once
// The two file formats the resources are stored in.

#include <cstdint>
#include <vector>

namespace artgen {

// An uncompressed 24-bit .bmp from packed blue, green, red triples with rows
// from the top (the file stores them bottom-up, each padded to 4 bytes).
std::vector<std::uint8_t> encodeBmp24(int width, int height, const std::vector<std::uint8_t>& bgrTopDown);

// One image of an icon: blue, green, red, alpha quadruples, rows from the top.
struct IconImage {
    int size = 0;  // square
    std::vector<std::uint8_t> bgraTopDown;
};

// A .ico file holding 32-bit images with their AND masks.
std::vector<std::uint8_t> encodeIco(const std::vector<IconImage>& images);

}  // namespace artgen

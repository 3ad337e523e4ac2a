#include "tools/artgen/file_formats.h"

namespace artgen {
namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// BITMAPINFOHEADER; an icon's header counts the colour rows and the mask rows.
void putInfoHeader(std::vector<std::uint8_t>& out, int width, int height, int bits, std::uint32_t imageSize) {
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, static_cast<std::uint32_t>(bits));
    put32(out, 0);  // BI_RGB
    put32(out, imageSize);
    put32(out, 2835);  // 72 dots per inch
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
}

}  // namespace

std::vector<std::uint8_t> encodeBmp24(int width, int height, const std::vector<std::uint8_t>& bgrTopDown) {
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(height);
    std::vector<std::uint8_t> out;
    out.reserve(54 + imageSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + imageSize);
    put32(out, 0);
    put32(out, 54);
    putInfoHeader(out, width, height, 24, imageSize);
    for (int y = height - 1; y >= 0; --y) {
        const std::uint8_t* row = bgrTopDown.data() + static_cast<std::size_t>(y) * width * 3;
        out.insert(out.end(), row, row + width * 3);
        out.resize(out.size() + (stride - width * 3), 0);
    }
    return out;
}

std::vector<std::uint8_t> encodeIco(const std::vector<IconImage>& images) {
    std::vector<std::vector<std::uint8_t>> bodies;
    for (const IconImage& image : images) {
        const int n = image.size;
        const std::uint32_t maskStride = ((static_cast<std::uint32_t>(n) + 31) / 32) * 4;
        std::vector<std::uint8_t> body;
        putInfoHeader(body, n, 2 * n, 32, static_cast<std::uint32_t>(n * n * 4) + maskStride * n);
        for (int y = n - 1; y >= 0; --y) {
            const std::uint8_t* row = image.bgraTopDown.data() + static_cast<std::size_t>(y) * n * 4;
            body.insert(body.end(), row, row + n * 4);
        }
        // The mask marks the fully transparent pixels for displays without alpha.
        for (int y = n - 1; y >= 0; --y) {
            std::vector<std::uint8_t> maskRow(maskStride, 0);
            for (int x = 0; x < n; ++x)
                if (image.bgraTopDown[(static_cast<std::size_t>(y) * n + x) * 4 + 3] == 0)
                    maskRow[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            body.insert(body.end(), maskRow.begin(), maskRow.end());
        }
        bodies.push_back(std::move(body));
    }
    std::vector<std::uint8_t> out;
    put16(out, 0);
    put16(out, 1);  // icon
    put16(out, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(static_cast<std::uint8_t>(images[i].size));
        out.push_back(static_cast<std::uint8_t>(images[i].size));
        out.push_back(0);  // no palette
        out.push_back(0);
        put16(out, 1);
        put16(out, 32);
        put32(out, static_cast<std::uint32_t>(bodies[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(bodies[i].size());
    }
    for (const auto& body : bodies) out.insert(out.end(), body.begin(), body.end());
    return out;
}

}  // namespace artgen

#include "tests/encoder/test_pictures.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "encoder/picture_planes.h"
#include "format/picture.h"

namespace encoder::test {

namespace {

constexpr int kWidth = format::kPictureWidth;

// A fixed pattern larger than the frame, sampled at an offset.
uint8_t channel(int x, int y, int c, const std::vector<uint8_t>& noise) {
    const int cell = ((x / 24) + (y / 16)) % 5;
    if (cell == 0) return uint8_t(40 + 60 * c);                           // flat patch
    if (cell == 1) return noise[((y & 255) * 256 + (x & 255)) * 3 + c];   // texture
    if (cell == 2 && ((x % 24) / 3 + (y % 16) / 2) % 3 == 0) return 250;  // glyph-like marks
    return uint8_t((x * (c + 1) + y * (3 - c)) / 4);                      // gradient
}

}  // namespace

std::vector<uint8_t> scene(int height, int frame, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> noise(256 * 256 * 3);
    for (uint8_t& n : noise) n = uint8_t(random());
    std::vector<uint8_t> rgb(size_t(kWidth) * height * 3);
    const int dx = 3 * frame, dy = frame;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < 3; ++c)
                rgb[(size_t(y) * kWidth + x) * 3 + c] = channel(x + dx + 1000, y + dy + 1000, c, noise);
    return rgb;
}

std::vector<uint8_t> ramps(int height) {
    std::vector<uint8_t> rgb(size_t(kWidth) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < kWidth; ++x) {
            uint8_t* p = &rgb[(size_t(y) * kWidth + x) * 3];
            p[0] = uint8_t(x * 255 / (kWidth - 1));
            p[1] = uint8_t(y * 255 / std::max(1, height - 1));
            p[2] = uint8_t((x + y) * 255 / (kWidth + height - 2));
        }
    return rgb;
}

std::vector<uint8_t> text(int height) {
    std::mt19937 random(12);
    uint8_t glyphs[10][7];
    for (auto& glyph : glyphs)
        for (uint8_t& row : glyph) row = uint8_t(random() & 31);
    std::vector<uint8_t> rgb(size_t(kWidth) * height * 3);
    for (size_t i = 0; i < rgb.size(); i += 3) rgb[i] = 20, rgb[i + 1] = 30, rgb[i + 2] = 90;
    for (int line = 3; line + 7 <= height; line += 11)
        for (int x = 3; x + 5 <= kWidth; x += 7) {
            const uint8_t* glyph = glyphs[random() % 10];
            for (int y = 0; y < 7; ++y)
                for (int i = 0; i < 5; ++i)
                    if ((glyph[y] >> i) & 1) {
                        uint8_t* p = &rgb[(size_t(line + y) * kWidth + x + i) * 3];
                        p[0] = p[1] = p[2] = 240;
                    }
        }
    return rgb;
}

std::vector<uint8_t> mirroredTiles(int height) {
    std::mt19937 random(6);
    std::vector<uint8_t> rgb(size_t(kWidth) * height * 3);
    for (int ty = 0; ty + 32 <= height; ty += 32)
        for (int tx = 0; tx + 32 <= kWidth; tx += 32)
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    for (int c = 0; c < 3; ++c) {
                        const auto value = uint8_t(random());
                        auto at = [&](int px, int py) -> uint8_t& { return rgb[(size_t(py) * kWidth + px) * 3 + c]; };
                        at(tx + x, ty + y) = value;
                        at(tx + 31 - x, ty + y) = value;
                        at(tx + x, ty + 31 - y) = value;
                    }
    return rgb;
}

std::vector<uint8_t> noise(int height, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> rgb(size_t(kWidth) * height * 3);
    for (uint8_t& sample : rgb) sample = uint8_t(random());
    return rgb;
}

double psnr(const std::vector<uint8_t>& rgb, const std::vector<uint16_t>& picture, int pixelType, int height) {
    const PixelExpander expander(pixelType);
    double sum = 0;
    for (size_t i = 0; i < size_t(kWidth) * height; ++i) {
        uint8_t decoded[3];
        expander.expand(picture[i], decoded[0], decoded[1], decoded[2]);
        for (int c = 0; c < 3; ++c) {
            const double d = double(rgb[3 * i + c]) - decoded[c];
            sum += d * d;
        }
    }
    const double mse = sum / (3.0 * kWidth * height);
    return 10 * std::log10(255.0 * 255.0 / std::max(mse, 1e-9));
}

}  // namespace encoder::test

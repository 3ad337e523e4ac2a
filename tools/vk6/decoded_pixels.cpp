#include "decoded_pixels.h"

namespace vk6tool {

namespace {

constexpr int kWidth = xqm::kPictureWidth;

}  // namespace

media::RgbPicture toRgb(const uint16_t* picture, const xqm::StreamInfo& info) {
    media::RgbPicture rgb;
    rgb.resize(kWidth, info.height);
    const bool rgb565 = info.pixelType == 16;
    for (size_t i = 0; i < size_t(kWidth) * info.height; ++i) {
        const uint32_t p = picture[i];
        const uint32_t r = rgb565 ? p >> 11 : (p >> 10) & 31;
        const uint32_t g = rgb565 ? (p >> 5) & 63 : (p >> 5) & 31;
        const uint32_t b = p & 31;
        rgb.rgb[3 * i] = uint8_t(r << 3 | r >> 2);
        rgb.rgb[3 * i + 1] = rgb565 ? uint8_t(g << 2 | g >> 4) : uint8_t(g << 3 | g >> 2);
        rgb.rgb[3 * i + 2] = uint8_t(b << 3 | b >> 2);
    }
    return rgb;
}

// The shown rows in the stream's pixel format, little-endian.
std::vector<uint8_t> rawBytes(const uint16_t* picture, const xqm::StreamInfo& info) {
    std::vector<uint8_t> bytes(size_t(2) * kWidth * info.height);
    for (size_t i = 0; i < bytes.size() / 2; ++i) {
        bytes[2 * i] = uint8_t(picture[i]);
        bytes[2 * i + 1] = uint8_t(picture[i] >> 8);
    }
    return bytes;
}

}  // namespace vk6tool

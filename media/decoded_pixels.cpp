#include "media/decoded_pixels.h"

#include "format/pixel_types.h"

namespace media {

media::RgbPicture toRgb(const uint16_t* picture, const stream::StreamInfo& info) {
    media::RgbPicture rgb;
    rgb.resize(format::kPictureWidth, info.height);
    for (size_t i = 0; i < size_t(format::kPictureWidth) * info.height; ++i) {
        const format::Rgb8 colour = format::widenPixel(picture[i], info.pixelType);
        rgb.rgb[3 * i] = colour.r;
        rgb.rgb[3 * i + 1] = colour.g;
        rgb.rgb[3 * i + 2] = colour.b;
    }
    return rgb;
}

// The shown rows in the stream's pixel format, little-endian.
std::vector<uint8_t> rawBytes(const uint16_t* picture, const stream::StreamInfo& info) {
    std::vector<uint8_t> bytes(size_t(2) * format::kPictureWidth * info.height);
    for (size_t i = 0; i < bytes.size() / 2; ++i) {
        bytes[2 * i] = uint8_t(picture[i]);
        bytes[2 * i + 1] = uint8_t(picture[i] >> 8);
    }
    return bytes;
}

}  // namespace media

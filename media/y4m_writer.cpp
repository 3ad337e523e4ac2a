#include "media/y4m_writer.h"

#include "media/bt601.h"
#include "support/file_error.h"

namespace media {

Y4mWriter::Y4mWriter(std::FILE* out, std::string name, int width, int height, support::FrameRate rate)
    : out_(out), name_(std::move(name)), planes_(3 * size_t(width) * height) {
    const std::string header = "YUV4MPEG2 W" + std::to_string(width) + " H" + std::to_string(height) + " F" +
                               std::to_string(rate.numerator) + ":" + std::to_string(rate.denominator) +
                               " Ip A1:1 C444\n";
    put(header.data(), header.size());
}

void Y4mWriter::put(const void* data, size_t size) {
    if (std::fwrite(data, 1, size, out_) != size) throw support::FileError::io(name_ + ": cannot write");
}

void Y4mWriter::write(const RgbPicture& picture) {
    const size_t pixels = planes_.size() / 3;
    for (size_t i = 0; i < pixels; ++i) {
        const YCbCr ycc = rgbToYCbCr({picture.rgb[3 * i], picture.rgb[3 * i + 1], picture.rgb[3 * i + 2]});
        planes_[i] = ycc.y;
        planes_[pixels + i] = ycc.cb;
        planes_[2 * pixels + i] = ycc.cr;
    }
    static constexpr char kFrame[] = "FRAME\n";
    put(kFrame, sizeof kFrame - 1);
    put(planes_.data(), planes_.size());
}

}  // namespace media

#include "media/picture_sinks.h"

#include <cstdio>
#include <numeric>
#include <optional>
#include <vector>

#include "media/decoded_pixels.h"
#include "media/file_handle.h"
#include "media/frame_pattern.h"
#include "media/md5.h"
#include "media/png_file.h"
#include "media/y4m_writer.h"
#include "support/file_error.h"

namespace media {

namespace {

constexpr int kWidth = format::kPictureWidth;

std::string rightAligned(uint64_t value, size_t width) {
    const std::string digits = std::to_string(value);
    return std::string(digits.size() < width ? width - digits.size() : 0, ' ') + digits;
}

class PngSink final : public PictureSink {
public:
    PngSink(const std::string& output, const stream::StreamInfo& info) : info_(info) {
        if (output != "-") pattern_.emplace(output);  // "-": one PNG after another on standard output
    }
    void write(const uint16_t* picture, uint32_t number) override {
        media::FileHandle file(pattern_ ? pattern_->path(number) : "-", "wb");
        const media::RgbPicture rgb = toRgb(picture, info_);
        media::writePng(file.get(), file.name(), rgb.width, rgb.height, 3, rgb.rgb.data());
        file.close();
    }
    void finish() override {}

private:
    stream::StreamInfo info_;
    std::optional<media::FramePattern> pattern_;
};

class Y4mSink final : public PictureSink {
public:
    Y4mSink(const std::string& output, const stream::StreamInfo& info)
        : info_(info), file_(output, "wb"), writer_(file_.get(), file_.name(), kWidth, info.height, info.rate) {}
    void write(const uint16_t* picture, uint32_t) override { writer_.write(toRgb(picture, info_)); }
    void finish() override { file_.close(); }

private:
    stream::StreamInfo info_;
    media::FileHandle file_;
    media::Y4mWriter writer_;
};

class RawSink final : public PictureSink {
public:
    RawSink(const std::string& output, const stream::StreamInfo& info) : info_(info), file_(output, "wb") {}
    void write(const uint16_t* picture, uint32_t) override {
        const auto bytes = rawBytes(picture, info_);
        file_.write(bytes.data(), bytes.size());
    }
    void finish() override { file_.close(); }

private:
    stream::StreamInfo info_;
    media::FileHandle file_;
};

// The text ffmpeg's framemd5 muxer writes for the raw frames read back with
// the stream's rate: the time base is the rate's reciprocal in lowest terms,
// each frame one tick long, counted from 0.
class FrameMd5Sink final : public PictureSink {
public:
    FrameMd5Sink(const std::string& output, const stream::StreamInfo& info, const std::string& software)
        : info_(info), file_(output, "wb") {
        const uint32_t divisor = std::gcd(info.rate.numerator, info.rate.denominator);
        const std::string header =
            "#format: frame checksums\n#version: 2\n#hash: MD5\n#software: " + software +
            "\n#tb 0: " + std::to_string(info.rate.denominator / divisor) + "/" +
            std::to_string(info.rate.numerator / divisor) +
            "\n#media_type 0: video\n#codec_id 0: rawvideo\n#dimensions 0: " + std::to_string(kWidth) + "x" +
            std::to_string(info.height) + "\n#sar 0: 0/1\n#stream#, dts,        pts, duration,     size, hash\n";
        file_.write(header.data(), header.size());
    }
    void write(const uint16_t* picture, uint32_t) override {
        const auto bytes = rawBytes(picture, info_);
        media::Md5 md5;
        md5.update(bytes.data(), bytes.size());
        const std::string line = "0, " + rightAligned(written_, 10) + ", " + rightAligned(written_, 10) + ", " +
                                 rightAligned(1, 8) + ", " + rightAligned(bytes.size(), 8) + ", " + md5.finishHex() +
                                 "\n";
        file_.write(line.data(), line.size());
        ++written_;
    }
    void finish() override { file_.close(); }

private:
    stream::StreamInfo info_;
    media::FileHandle file_;
    uint64_t written_ = 0;
};

}  // namespace

std::unique_ptr<PictureSink> openSink(OutputFormat format, const std::string& output, const stream::StreamInfo& info,
                                      const std::string& software) {
    switch (format) {
        case OutputFormat::Png: return std::make_unique<PngSink>(output, info);
        case OutputFormat::Y4m: return std::make_unique<Y4mSink>(output, info);
        case OutputFormat::Raw: return std::make_unique<RawSink>(output, info);
        case OutputFormat::FrameMd5: return std::make_unique<FrameMd5Sink>(output, info, software);
    }
    return nullptr;
}

}  // namespace media

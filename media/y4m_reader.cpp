#include "media/y4m_reader.h"

#include <charconv>
#include <filesystem>
#include <sstream>

#include "media/bt601.h"
#include "media/chroma_upsampling.h"
#include "support/file_error.h"

namespace media {

namespace {

constexpr size_t kMaxLine = 4096;
constexpr int kMaxSide = 16384;

bool parseNumber(std::string_view text, uint32_t& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

}  // namespace

Y4mReader::Y4mReader(const std::string& path) : file_(path, "rb") {
    parseHeader(readLine("header"));
    planes_.resize(size_t(width_) * height_ +
                   2 * size_t((width_ + xFactor_ - 1) / xFactor_) * ((height_ + yFactor_ - 1) / yFactor_));
    countFrames(path);
}

// From the file's size: what follows the header is whole frames of a bare
// "FRAME" line and the planes, or the count stays unknown (frame lines with
// parameters, a file cut short, a pipe).
void Y4mReader::countFrames(const std::string& path) {
    std::error_code error;
    if (path == "-" || !std::filesystem::is_regular_file(path, error)) return;
    const uintmax_t size = std::filesystem::file_size(path, error);
    const long start = std::ftell(file_.get());
    if (error || start < 0 || size < uintmax_t(start)) return;
    const uintmax_t frameBytes = std::string_view("FRAME\n").size() + planes_.size();
    if ((size - uintmax_t(start)) % frameBytes == 0) frameCount_ = (size - uintmax_t(start)) / frameBytes;
}

void Y4mReader::fail(const std::string& problem) const {
    throw support::FileError::format(file_.name() + ": " + problem);
}

// A line without its '\n'; an empty string at the end of the file.
std::string Y4mReader::readLine(const char* what) {
    std::string line;
    for (int c; (c = std::fgetc(file_.get())) != '\n';) {
        if (c == EOF) {
            if (std::ferror(file_.get())) throw support::FileError::io(file_.name() + ": cannot read");
            if (!line.empty()) fail(std::string("the ") + what + " line ends without a line feed");
            return line;
        }
        if (line.size() == kMaxLine) fail(std::string("the ") + what + " line is longer than 4096 bytes");
        line += char(c);
    }
    return line;
}

void Y4mReader::parseHeader(const std::string& line) {
    std::istringstream fields(line);
    std::string field;
    fields >> field;
    if (field != "YUV4MPEG2") fail("not a Y4M file (it must begin with \"YUV4MPEG2\")");
    uint32_t width = 0, height = 0;
    while (fields >> field) {
        const std::string_view value = std::string_view(field).substr(1);
        switch (field[0]) {
            case 'W':
                if (!parseNumber(value, width)) fail("bad width '" + field + "'");
                break;
            case 'H':
                if (!parseNumber(value, height)) fail("bad height '" + field + "'");
                break;
            case 'F': {
                const size_t colon = value.find(':');
                if (colon == std::string_view::npos || !parseNumber(value.substr(0, colon), rate_.numerator) ||
                    !parseNumber(value.substr(colon + 1), rate_.denominator) || rate_.numerator == 0 ||
                    rate_.denominator == 0)
                    fail("bad frame rate '" + field + "'");
                break;
            }
            case 'C': parseChroma(std::string(value)); break;
            default:  // interlacing, aspect, comments and extensions
                break;
        }
    }
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide)
        fail("the picture size " + std::to_string(width) + "x" + std::to_string(height) + " is missing or too large");
    width_ = int(width);
    height_ = int(height);
}

void Y4mReader::parseChroma(const std::string& tag) {
    if (tag == "420jpeg" || tag == "420paldv" || tag == "420mpeg2" || tag == "420") {
        xFactor_ = yFactor_ = 2;
    } else if (tag == "422") {
        xFactor_ = 2;
        yFactor_ = 1;
    } else if (tag == "444") {
        xFactor_ = yFactor_ = 1;
    } else {
        fail("chroma format C" + tag + " is not 8-bit 4:2:0, 4:2:2 or 4:4:4");
    }
}

bool Y4mReader::next(RgbPicture& picture) {
    const std::string line = readLine("frame");
    if (line.empty()) return false;
    if (line.rfind("FRAME", 0) != 0) fail("frame " + std::to_string(frames_) + " does not begin with \"FRAME\"");
    if (std::fread(planes_.data(), 1, planes_.size(), file_.get()) != planes_.size()) {
        if (std::ferror(file_.get())) throw support::FileError::io(file_.name() + ": cannot read");
        fail("frame " + std::to_string(frames_) + " is cut short");
    }
    const size_t lumaSize = size_t(width_) * height_;
    const size_t chromaSize = (planes_.size() - lumaSize) / 2;
    const auto cb = upsampleChroma(planes_.data() + lumaSize, width_, height_, xFactor_, yFactor_);
    const auto cr = upsampleChroma(planes_.data() + lumaSize + chromaSize, width_, height_, xFactor_, yFactor_);
    picture.resize(width_, height_);
    for (size_t i = 0; i < lumaSize; ++i) {
        const Rgb rgb = yCbCrToRgb({planes_[i], cb[i], cr[i]});
        picture.rgb[3 * i] = rgb.r;
        picture.rgb[3 * i + 1] = rgb.g;
        picture.rgb[3 * i + 2] = rgb.b;
    }
    ++frames_;
    return true;
}

}  // namespace media

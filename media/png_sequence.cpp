#include "media/png_sequence.h"

#include <filesystem>

#include "media/png_file.h"
#include "support/file_error.h"
#include "support/file_names.h"

namespace media {

namespace {

constexpr uint64_t kLastFirstNumber = 4;

bool exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(support::filePath(path), error);
}

}  // namespace

PngSequenceReader::PngSequenceReader(const std::string& pattern, support::FrameRate rate)
    : pattern_(pattern), rate_(rate) {
    while (!exists(pattern_.path(number_))) {
        if (number_ == kLastFirstNumber)
            throw support::FileError::io(pattern + ": no picture numbered 0 to 4 (such as " + pattern_.path(0) + ")");
        ++number_;
    }
    first_ = readPng(pattern_.path(number_));
    uint64_t end = number_ + 1;
    while (exists(pattern_.path(end))) ++end;
    frameCount_ = end - number_++;
}

bool PngSequenceReader::next(RgbPicture& picture) {
    if (!firstTaken_) {
        firstTaken_ = true;
        picture = first_;
        return true;
    }
    const std::string path = pattern_.path(number_);
    if (!exists(path)) return false;
    picture = readPng(path);
    ++number_;
    if (picture.width != first_.width || picture.height != first_.height)
        throw support::FileError::format(path + ": " + std::to_string(picture.width) + "x" +
                                         std::to_string(picture.height) + ", the sequence began " +
                                         std::to_string(first_.width) + "x" + std::to_string(first_.height));
    return true;
}

}  // namespace media

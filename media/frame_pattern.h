#pragma once
// A printf-style file name pattern of a picture sequence, such as
// "clip/f%03d.png": exactly one %d, %Nd or %0Nd for the frame number, "%%"
// for a percent sign.

#include <cstdint>
#include <string>

namespace media {

class FramePattern {
public:
    // Throws std::invalid_argument saying what is wrong with the pattern.
    explicit FramePattern(std::string pattern);
    std::string path(uint64_t number) const;
    const std::string& text() const { return pattern_; }

private:
    std::string pattern_;
    std::string before_, after_;  // the text around the number, "%%" resolved
    int width_ = 0;
    bool zeroPadded_ = false;
};

}  // namespace media

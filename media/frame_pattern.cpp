#include "media/frame_pattern.h"

#include <stdexcept>

namespace media {

FramePattern::FramePattern(std::string pattern) : pattern_(std::move(pattern)) {
    bool numberSeen = false;
    for (size_t i = 0; i < pattern_.size(); ++i) {
        std::string& text = numberSeen ? after_ : before_;
        if (pattern_[i] != '%') {
            text += pattern_[i];
            continue;
        }
        if (i + 1 < pattern_.size() && pattern_[i + 1] == '%') {
            text += '%';
            ++i;
            continue;
        }
        size_t at = i + 1;
        const bool zeroPadded = at < pattern_.size() && pattern_[at] == '0';
        if (zeroPadded) ++at;
        int width = 0;
        while (at < pattern_.size() && pattern_[at] >= '0' && pattern_[at] <= '9' && width < 100)
            width = 10 * width + (pattern_[at++] - '0');
        if (at == pattern_.size() || pattern_[at] != 'd' || width >= 100)
            throw std::invalid_argument("the pattern '" + pattern_ + "' may hold only %d, %Nd, %0Nd and %%");
        if (numberSeen) throw std::invalid_argument("the pattern '" + pattern_ + "' holds more than one number");
        numberSeen = true;
        zeroPadded_ = zeroPadded;
        width_ = width;
        i = at;
    }
    if (!numberSeen) throw std::invalid_argument("the pattern '" + pattern_ + "' holds no frame number (such as %04d)");
}

std::string FramePattern::path(uint64_t number) const {
    std::string digits = std::to_string(number);
    if (int(digits.size()) < width_) digits.insert(0, size_t(width_) - digits.size(), zeroPadded_ ? '0' : ' ');
    return before_ + digits + after_;
}

}  // namespace media

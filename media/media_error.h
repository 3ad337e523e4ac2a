#pragma once
// The error of the media library: a file that is not what it should be, or one
// that cannot be read or written. The message names the file.

#include <stdexcept>
#include <string>

namespace media {

class MediaError : public std::runtime_error {
public:
    enum class Kind { Format, Io };

    MediaError(Kind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

}  // namespace media

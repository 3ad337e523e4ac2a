#pragma once
// The one error of the stream library: the file breaks the format, or it cannot
// be read or written. The message names the file (and the frame, where one is
// at fault).

#include <stdexcept>
#include <string>

namespace xqm {

class StreamError : public std::runtime_error {
public:
    enum class Kind { Format, Io };

    StreamError(Kind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

}  // namespace xqm

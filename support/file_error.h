#pragma once
// The error of the libraries that read and write files (the stream file, the
// media formats): the file breaks its format, or it cannot be read or written.
// The message names the file, and the frame where one is at fault.

#include <stdexcept>
#include <string>

namespace support {

class FileError : public std::runtime_error {
public:
    enum class Kind { Format, Io };

    FileError(Kind kind, const std::string& message) : std::runtime_error(message), kind_(kind) {}
    static FileError format(const std::string& message) { return {Kind::Format, message}; }
    static FileError io(const std::string& message) { return {Kind::Io, message}; }

    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

}  // namespace support

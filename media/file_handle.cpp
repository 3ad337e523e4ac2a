#include "media/file_handle.h"

#include <cerrno>
#include <cstring>

#include "support/file_error.h"

namespace media {

FileHandle::FileHandle(const std::string& path, const char* mode)
    : file_(nullptr), name_(path), standard_(path == "-") {
    if (standard_) {
        file_ = mode[0] == 'r' ? stdin : stdout;
        name_ = mode[0] == 'r' ? "standard input" : "standard output";
        return;
    }
    file_ = std::fopen(path.c_str(), mode);
    if (file_ == nullptr) throw orv::FileError::io(path + ": cannot open: " + std::strerror(errno));
}

FileHandle::~FileHandle() {
    if (file_ != nullptr && !standard_) std::fclose(file_);
}

void FileHandle::close() {
    if (file_ == nullptr) return;
    const bool failed = std::ferror(file_) != 0;
    const bool flushFailed = standard_ ? std::fflush(file_) != 0 : std::fclose(file_) != 0;
    file_ = nullptr;
    if (failed || flushFailed) throw orv::FileError::io(name_ + ": cannot write");
}

}  // namespace media

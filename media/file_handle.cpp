#include "media/file_handle.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <utility>

#include "support/file_error.h"
#include "support/file_names.h"

namespace media {

namespace {

namespace fs = std::filesystem;

// Windows' device names (CON, NUL, COM1, ...), which name the device in any
// folder and with any extension.
bool isWindowsDevice(const std::string& path) {
#if defined(_WIN32)
    std::string stem = support::utf8Name(support::filePath(path).filename());
    stem = stem.substr(0, stem.find('.'));
    std::transform(stem.begin(), stem.end(), stem.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    static constexpr std::string_view kDevices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    if (std::find(std::begin(kDevices), std::end(kDevices), stem) != std::end(kDevices)) return true;
    return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) && stem[3] >= '1' && stem[3] <= '9';
#else
    (void)path;
    return false;
#endif
}

// Whether a file written to path can go to a temporary name first: path is
// a plain file or nothing yet.
bool replaceable(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::symlink_status(support::filePath(path), error);
    if (status.type() != fs::file_type::not_found && status.type() != fs::file_type::regular) return false;
    return !isWindowsDevice(path);
}

}  // namespace

FileHandle::FileHandle(const std::string& path, const char* mode) : name_(path), standard_(path == "-") {
    const bool writing = mode[0] == 'w';
    if (standard_) {
        file_ = writing ? stdout : stdin;
        name_ = writing ? "standard output" : "standard input";
        return;
    }
    if (writing && replaceable(path)) temporary_ = path + ".part";
    file_ = support::openFile(temporary_.empty() ? path : temporary_, mode);
    if (file_ == nullptr) throw support::FileError::io(path + ": cannot open: " + std::strerror(errno));
}

FileHandle::~FileHandle() { discard(); }

void FileHandle::discard() {
    if (file_ == nullptr || standard_) return;
    std::fclose(file_);
    file_ = nullptr;
    std::error_code error;
    if (!temporary_.empty()) fs::remove(support::filePath(temporary_), error);
}

void FileHandle::write(const void* data, size_t size) {
    if (std::fwrite(data, 1, size, file_) != size) throw support::FileError::io(name_ + ": cannot write");
}

void FileHandle::close() {
    if (file_ == nullptr) return;
    std::FILE* const file = std::exchange(file_, nullptr);
    bool failed = std::ferror(file) != 0;
    failed = (standard_ ? std::fflush(file) : std::fclose(file)) != 0 || failed;
    if (standard_ || temporary_.empty()) {
        if (failed) throw support::FileError::io(name_ + ": cannot write");
        return;
    }
    std::error_code renamed;
    if (!failed) fs::rename(support::filePath(temporary_), support::filePath(name_), renamed);
    if (!failed && !renamed) return;
    std::error_code ignored;
    fs::remove(support::filePath(temporary_), ignored);
    throw support::FileError::io(name_ + ": cannot write" + (renamed ? ": " + renamed.message() : ""));
}

}  // namespace media

#include "stream/byte_source.h"

#include <cerrno>
#include <cstring>

#include "support/file_error.h"
#include "support/file_names.h"

namespace stream {

namespace {

[[noreturn]] void refuseRead(const std::string& name, uint64_t offset, size_t count) {
    throw support::FileError::io(name + ": cannot read " + std::to_string(count) + " bytes at byte " +
                                 std::to_string(offset));
}

}  // namespace

void MemorySource::read(uint64_t offset, uint8_t* out, size_t count) {
    if (!holds(offset, count)) refuseRead("memory buffer", offset, count);
    if (count > 0) std::memcpy(out, bytes_.data() + offset, count);
}

FileSource::FileSource(const std::string& path) : path_(path), file_(support::filePath(path), std::ios::binary) {
    if (!file_) throw support::FileError::io(path + ": cannot open: " + std::strerror(errno));
    file_.seekg(0, std::ios::end);
    const std::streamoff end = file_.tellg();
    if (!file_ || end < 0) throw support::FileError::io(path + ": cannot find the file's size");
    size_ = uint64_t(end);
}

void FileSource::read(uint64_t offset, uint8_t* out, size_t count) {
    if (!holds(offset, count)) refuseRead(path_, offset, count);
    file_.clear();
    file_.seekg(std::streamoff(offset));
    file_.read(reinterpret_cast<char*>(out), std::streamsize(count));
    if (!file_ || uint64_t(file_.gcount()) != count) refuseRead(path_, offset, count);
}

}  // namespace stream

#pragma once
// A C file opened by its UTF-8 name, with "-" for standard input or output
// (which stay open).
//
// A file opened for writing is written under a temporary name beside it,
// NAME.part, and takes its own name only when close() has found every byte
// written: a failed or abandoned write leaves neither an empty nor a partial
// file, and an older file of that name stays as it was until then. Where the
// name is not a plain file (a device such as /dev/null or NUL, a pipe, a
// symbolic link), the writes go to it directly.

#include <cstdio>
#include <string>

namespace media {

class FileHandle {
public:
    // mode "rb" or "wb"; throws support::FileError (Io) naming the path when the file
    // cannot be opened.
    FileHandle(const std::string& path, const char* mode);
    // Without close(), a file being written is closed and its temporary file removed.
    ~FileHandle();
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    std::FILE* get() const { return file_; }
    const std::string& name() const { return name_; }
    // Flushes and closes, and gives a written file its name; throws
    // support::FileError (Io) when the data did not all get out (the temporary
    // file is removed then).
    void close();
    // Writes size bytes; throws support::FileError (Io) when they do not all go out.
    void write(const void* data, size_t size);

private:
    void discard();

    std::FILE* file_ = nullptr;
    std::string name_;
    std::string temporary_;  // where a written file is until close(); empty when written directly
    bool standard_;
};

}  // namespace media

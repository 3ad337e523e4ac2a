#pragma once
// A C file opened by path, with "-" for standard input or output (which stay
// open). Closing a written file reports whether everything reached it.

#include <cstdio>
#include <string>

namespace media {

class FileHandle {
public:
    // mode "rb" or "wb"; throws orv::FileError (Io) naming the path when the file
    // cannot be opened.
    FileHandle(const std::string& path, const char* mode);
    ~FileHandle();
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    std::FILE* get() const { return file_; }
    const std::string& name() const { return name_; }
    // Flushes and closes; throws orv::FileError (Io) when the data did not all get out.
    void close();

private:
    std::FILE* file_;
    std::string name_;
    bool standard_;
};

}  // namespace media

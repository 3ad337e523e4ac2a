#pragma once
// File names are UTF-8 strings in every program of the project. On Windows a
// narrow name would go through the ANSI code page, which cannot hold most
// names outside it, so files are opened by their wide (UTF-16) names there.

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace support {

// The name as the file system takes it: converted to UTF-16 on Windows.
inline std::filesystem::path filePath(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// A path's name back as UTF-8, for messages and patterns.
inline std::string utf8Name(const std::filesystem::path& path) {
    const std::u8string name = path.u8string();
    return std::string(name.begin(), name.end());
}

// std::fopen by a UTF-8 name; mode as fopen's ("rb", "wb").
inline std::FILE* openFile(std::string_view utf8, const char* mode) {
#if defined(_WIN32)
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(filePath(utf8).c_str(), wideMode.c_str());
#else
    return std::fopen(std::string(utf8).c_str(), mode);
#endif
}

}  // namespace support

#pragma once
// Paths in the system's temporary folder for one test process: the process id
// is part of the name, so that the same test run side by side (make test's
// lanes, the sanitized and the -m32 builds, two checkouts) never shares or
// removes another's files.

#include <filesystem>
#include <string>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace setup::test {

inline std::filesystem::path scratchPath(const std::string& name) {
#ifdef _WIN32
    const int process = _getpid();
#else
    const int process = int(getpid());
#endif
    return std::filesystem::temp_directory_path() / (std::to_string(process) + "-" + name);
}

}  // namespace setup::test

#include "setup/system/platform.h"

#include <cstdio>

#include "setup/system/file_steps.h"

namespace setup {

bool Platform::writeFile(const std::string& path, std::string_view bytes) {
    std::FILE* file = inFileStep(FileStep::Open, [&] { return std::fopen(path.c_str(), "wb"); });
    if (!file) return false;
    bool ok =
        inFileStep(FileStep::Write, [&] { return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size(); });
    ok = inFileStep(FileStep::Flush, [&] { return std::fflush(file) == 0; }) && ok;
    ok = ok && inFileStep(FileStep::Sync, [&] { return syncToDisk(file); });
    ok = inFileStep(FileStep::Close, [&] { return std::fclose(file) == 0; }) && ok;
    return ok;
}

bool Platform::replaceFile(const std::string& from, const std::string& to) {
    return inFileStep(FileStep::Replace, [&] { return moveReplacing(from, to); });
}

void Platform::removeFile(const std::string& path) { std::remove(path.c_str()); }

}  // namespace setup

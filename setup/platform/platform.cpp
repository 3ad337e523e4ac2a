#include "platform.h"

#include <cstdio>
#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace orv {

namespace {

// Has the system put the file's bytes on the disk, so that a file that takes
// another's place afterwards is not found empty after a power cut.
bool syncToDisk(std::FILE* file) {
#if defined(_WIN32)
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

}  // namespace

bool Platform::writeFile(const std::string& path, std::string_view bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fflush(file) == 0 && ok;
  ok = ok && syncToDisk(file);
  ok = std::fclose(file) == 0 && ok;
  return ok;
}

void Platform::removeFile(const std::string& path) { std::remove(path.c_str()); }

}  // namespace orv

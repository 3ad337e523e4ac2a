#include "platform.h"

#include <cstdio>

namespace orv {

bool Platform::writeFile(const std::string& path, std::string_view bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fflush(file) == 0 && ok;
  ok = std::fclose(file) == 0 && ok;
  return ok;
}

void Platform::removeFile(const std::string& path) { std::remove(path.c_str()); }

}  // namespace orv

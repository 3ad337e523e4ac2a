#include "headless_platform.h"

#include <cstdio>

#include "resources/embedded_resources.h"

namespace orv {

void HeadlessPlatform::fatalStop(const FatalBox& box) {
  fatalBoxes.push_back(box);
  throw FatalStop(box);
}

// rename() replaces the target in one step on POSIX systems. (The Windows C
// runtime refuses an existing target; the Win32 backend has its own.)
bool HeadlessPlatform::replaceFile(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool HeadlessPlatform::loadBitmap(int id, BitmapBits& out) { return decodeEmbeddedBitmap(id, out); }

bool HeadlessPlatform::loadText(int id, std::string& out) {
  auto bytes = embeddedResource(ResourceType::Text, id);
  if (!bytes) return false;
  out.assign(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  return true;
}

}  // namespace orv

// artgen DIRECTORY: writes the skin's bitmaps and icon into DIRECTORY
// (setup/resources when they are to be committed).

#include <cstdio>

#include "artgen.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
    return 2;
  }
  auto files = artgen::generateSkin();
  if (!artgen::writeSkin(files, argv[1])) {
    std::fprintf(stderr, "artgen: cannot write into %s\n", argv[1]);
    return 1;
  }
  for (const auto& f : files) std::printf("%3d %s\n", f.resourceId, f.name.c_str());
  return 0;
}

#pragma once
// Generates every bitmap and the icon of the setup program's skin.

#include <cstdint>
#include <string>
#include <vector>

namespace artgen {

struct GeneratedFile {
    int resourceId;
    std::string name;   // file name in setup/resources
    int width, height;  // of the bitmap; 0 for the icon
    std::vector<std::uint8_t> bytes;
};

// The same bytes on every run and every machine.
std::vector<GeneratedFile> generateSkin();

// Writes the files into `directory`; false when one cannot be written.
bool writeSkin(const std::vector<GeneratedFile>& files, const std::string& directory);

}  // namespace artgen

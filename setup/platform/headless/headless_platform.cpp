#include "setup/platform/headless/headless_platform.h"

#include <filesystem>

#include "setup/resources/embedded_resources.h"

namespace setup {

void HeadlessPlatform::fatalStop(const FatalBox& box) {
    fatalBoxes.push_back(box);
    throw FatalStop(box);
}

// std::filesystem::rename replaces an existing target in one step on every
// system (the C runtime's rename() refuses one on Windows).
bool HeadlessPlatform::moveReplacing(const std::string& from, const std::string& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    return !error;
}

bool HeadlessPlatform::loadBitmap(int id, BitmapBits& out) { return decodeEmbeddedBitmap(id, out); }

bool HeadlessPlatform::loadText(int id, std::string& out) {
    auto bytes = embeddedResource(ResourceType::Text, id);
    if (!bytes) return false;
    out.assign(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    return true;
}

}  // namespace setup

#include "setup/resources/embedded_resources.h"

#include "setup/resources/bmp_reader.h"
#include "setup/resources/embedded_table.h"

namespace setup {

std::optional<std::span<const std::uint8_t>> embeddedResource(ResourceType type, int id) {
    for (std::size_t i = 0; i < kEmbeddedEntryCount; ++i) {
        const EmbeddedEntry& e = kEmbeddedEntries[i];
        if (e.type == type && e.id == id) return std::span(reinterpret_cast<const std::uint8_t*>(e.bytes), e.size);
    }
    return std::nullopt;
}

bool decodeEmbeddedBitmap(int id, BitmapBits& out) {
    auto file = embeddedResource(ResourceType::Bitmap, id);
    return file && readBmp24(*file, out);
}

}  // namespace setup

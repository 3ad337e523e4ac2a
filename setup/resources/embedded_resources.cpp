#include "embedded_resources.h"

// Placeholder until the artwork is generated: no resources.
namespace orv {

std::optional<std::span<const std::uint8_t>> embeddedResource(ResourceType, int) { return std::nullopt; }

bool decodeEmbeddedBitmap(int, BitmapBits&) { return false; }

}  // namespace orv

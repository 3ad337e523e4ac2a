#pragma once
// The table of embedded files, generated at build time.

#include <cstddef>

#include "setup/resources/embedded_resources.h"

namespace setup {

struct EmbeddedEntry {
    ResourceType type;
    int id;
    const char* bytes;
    std::size_t size;
};

extern const EmbeddedEntry kEmbeddedEntries[];
extern const std::size_t kEmbeddedEntryCount;

}  // namespace setup

// Any bytes as Config.ini: the reader never reads outside its buffer, and
// whatever it makes of them, the writer's file reads back without trouble.

#include <cstdint>
#include <cstdio>

#include "setup/platform/headless/headless_platform.h"
#include "setup/settings/config_reader.h"
#include "setup/settings/config_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    setup::HeadlessPlatform platform;
    setup::SetupSettings settings;
    // fmemopen of an empty buffer fails; an empty file is a temporary one.
    std::FILE* file = size ? fmemopen(const_cast<std::uint8_t*>(data), size, "rb") : std::tmpfile();
    if (!file) return 0;
    try {
        setup::readConfig(file, settings, platform);
    } catch (const setup::FatalStop&) {
        if (size <= static_cast<std::size_t>(setup::kConfigSizeLimit)) __builtin_trap();
    }
    std::fclose(file);
    if (size > static_cast<std::size_t>(setup::kConfigSizeLimit)) return 0;
    setup::SetupSettings again;
    setup::parseConfig(setup::writeConfig(settings), again);
    return 0;
}

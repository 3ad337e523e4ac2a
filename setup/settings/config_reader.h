#pragma once
// Reads Config.ini into the settings record. The grammar is loose: sections
// mean nothing, keys are recognised by their first letters without regard to
// case, anything unknown is skipped.

#include <cstddef>
#include <cstdio>
#include <string_view>

#include "setup/settings/setup_settings.h"
#include "setup/system/platform.h"

namespace setup {

// The largest Config.ini the reader accepts, in bytes.
inline constexpr long kConfigSizeLimit = 5000;
// Text values keep at most this many characters.
inline constexpr std::size_t kTextValueLimit = 199;

// Applies the defaults, then every line of text that it recognises.
void parseConfig(std::string_view text, SetupSettings& settings);

// Reads the whole open file and parses it. A file longer than the limit is a
// fatal stop through the platform: the call does not return.
void readConfig(std::FILE* file, SetupSettings& settings, Platform& platform);

}  // namespace setup

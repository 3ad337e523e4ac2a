#pragma once
// Writes the settings record as the complete Config.ini: a fixed comment box,
// seven sections in a fixed order, every key in a fixed format.

#include <string>

#include "setup/settings/setup_settings.h"

namespace setup {

// The whole file, 56 lines each ending with CR LF (a line whose enumeration
// holds a value without a word is left out).
std::string writeConfig(const SetupSettings& settings);

}  // namespace setup

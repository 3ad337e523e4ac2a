#pragma once
// Where Config.ini lives, loading it into the record and saving it back.

#include <string>

#include "setup/settings/setup_settings.h"
#include "setup/system/platform.h"

namespace setup {

// The settings directory prefix is the program's command-line text, used as
// it stands: no quotes removed, no separator added.
std::string settingsFilePath(const std::string& prefix);

// Fills the record from the file, or with the defaults when it cannot be
// opened or read (a folder of that name included). A file over the size
// limit is a fatal stop.
void loadSettings(SetupSettings& settings, const std::string& prefix, Platform& platform);

// Writes the file from the record without ever losing the previous one: the
// new text goes to a file beside it, which then replaces it in one step. A
// failure leaves the old file and the record as they were; it is silent for
// the user and reported to the caller as false.
bool saveSettings(const SetupSettings& settings, const std::string& prefix, Platform& platform);

}  // namespace setup

#pragma once
// What a driven orvsetup.exe should leave behind: the settings a Config.ini
// holds, and what the resolution knob picks from the modes this machine lists.

#include <filesystem>
#include <string>

#include "setup/display/display_lists.h"
#include "setup/platform/win32/directdraw_devices.h"
#include "setup/settings/setup_settings.h"

namespace setup::e2e {

std::string slurp(const std::filesystem::path& path);

// The settings that the reader makes of the text.
SetupSettings parsed(const std::string& text);

// The adapters and the 16-bit modes of the first one, listed in this process
// the way the program lists them, through a hidden window of its own.
class ListedDisplay {
public:
    ListedDisplay();
    ListedDisplay(const ListedDisplay&) = delete;
    ListedDisplay& operator=(const ListedDisplay&) = delete;

    DisplayLists& lists() { return lists_; }

private:
    DirectDrawDevices devices_;
    DisplayLists lists_{devices_};
};

// A press on the resolution knob at that position: the listed mode it picks
// becomes the resolution; with no mode listed nothing changes.
void pickResolution(SetupSettings& settings, DisplayLists& lists, int position);

}  // namespace setup::e2e

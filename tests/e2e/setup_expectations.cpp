#include "tests/e2e/setup_expectations.h"

#include <windows.h>

#include <fstream>
#include <sstream>

#include "setup/settings/config_reader.h"
#include "setup/skin/controls.h"

namespace setup::e2e {

std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

SetupSettings parsed(const std::string& text) {
    SetupSettings settings;
    parseConfig(text, settings);
    return settings;
}

// DirectDraw wants a window for the cooperative level; it is needed only
// while the lists are read.
ListedDisplay::ListedDisplay() {
    HWND owner = CreateWindowExA(0, "STATIC", "modes", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    devices_.window = owner;
    lists_.listAdapters();
    lists_.listModes();
    lists_.releaseDirectDraw();
    devices_.window = nullptr;
    DestroyWindow(owner);
}

void pickResolution(SetupSettings& settings, DisplayLists& lists, int position) {
    if (lists.modeCount() == 0) return;
    Knob knob;
    knob.position = position;
    const DisplayListEntry* mode = lists.modeByIndex(knobValue(knob, lists.modeCount()));
    settings.resolutionWidth = mode->width;
    settings.resolutionHeight = mode->height;
}

}  // namespace setup::e2e

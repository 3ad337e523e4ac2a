#include "setup/platform/headless/scripted_display.h"

namespace setup {

bool ScriptedDisplay::enumerateAdapters(const std::function<void(const AdapterReport&)>& report) {
    if (failingStep == Step::EnumerateAdapters) return false;
    for (const AdapterReport& adapter : adapters) report(adapter);
    return true;
}

bool ScriptedDisplay::createObject(const std::optional<AdapterGuid>& guid) {
    createdFor = guid;
    return failingStep != Step::Create;
}

bool ScriptedDisplay::queryInterface() {
    if (failingStep == Step::Query) return false;
    held = true;
    return true;
}

bool ScriptedDisplay::setCooperativeLevel() { return failingStep != Step::CooperativeLevel; }

bool ScriptedDisplay::enumerateModes(const std::function<void(const ModeReport&)>& report) {
    if (failingStep == Step::EnumerateModes) return false;
    ++modeListings;
    for (const auto& [guid, modes] : modesByAdapter)
        if (guid == createdFor)
            for (const ModeReport& mode : modes) report(mode);
    return true;
}

void ScriptedDisplay::stopWithDebugMessage(const char* message) {
    debugOutput.emplace_back(message);
    throw DisplayStop(message);
}

}  // namespace setup

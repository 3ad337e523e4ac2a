#pragma once
// Scripted display reports for the headless backend: the adapters and modes
// a test or a tool wants the program to see, and a stop that throws.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "setup/display/display_devices.h"

namespace setup {

// Thrown where the real program would write to the debugger and end.
struct DisplayStop : std::runtime_error {
    explicit DisplayStop(const char* message) : std::runtime_error(message) {}
};

class ScriptedDisplay : public DisplayDevices {
public:
    // The steps that can be made to fail.
    enum class Step { None, EnumerateAdapters, Create, Query, CooperativeLevel, EnumerateModes };

    bool enumerateAdapters(const std::function<void(const AdapterReport&)>& report) override;
    bool createObject(const std::optional<AdapterGuid>& guid) override;
    bool queryInterface() override;
    bool setCooperativeLevel() override;
    bool enumerateModes(const std::function<void(const ModeReport&)>& report) override;
    void release() override { held = false; }
    [[noreturn]] void stopWithDebugMessage(const char* message) override;

    // The script: reports in the system's order, the modes per adapter GUID
    // (none: the primary display).
    std::vector<AdapterReport> adapters;
    std::vector<std::pair<std::optional<AdapterGuid>, std::vector<ModeReport>>> modesByAdapter;
    Step failingStep = Step::None;

    // What happened.
    bool held = false;
    std::optional<AdapterGuid> createdFor;
    int modeListings = 0;
    std::vector<std::string> debugOutput;
};

}  // namespace setup

#pragma once
// What the adapter and mode lists need from the system's display interface.
// The Win32 backend answers with DirectDraw; the headless backend replays
// scripted reports. Each call mirrors one step of the listing so that the
// list logic can name the step that failed.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace setup {

using AdapterGuid = std::array<std::uint8_t, 16>;

// One display driver as the system reports it.
struct AdapterReport {
    std::optional<AdapterGuid> guid;  // none for the primary display
    std::string description;
    std::string driverName;
};

// One display mode as the system reports it.
struct ModeReport {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t rgbBitCount = 0;
};

class DisplayDevices {
public:
    virtual ~DisplayDevices() = default;

    // Reports every display driver in the system's order. False on failure.
    virtual bool enumerateAdapters(const std::function<void(const AdapterReport&)>& report) = 0;

    // Creates the display object of the adapter (none: the primary display).
    virtual bool createObject(const std::optional<AdapterGuid>& guid) = 0;
    // Takes the second-version interface from the object and lets the object go.
    virtual bool queryInterface() = 0;
    // Full-screen, exclusive, no window changes, for the setup window.
    virtual bool setCooperativeLevel() = 0;
    // Reports every display mode of the held interface, of every bit depth.
    virtual bool enumerateModes(const std::function<void(const ModeReport&)>& report) = 0;
    // Lets go of whatever interface is held; harmless when none is.
    virtual void release() = 0;

    // Writes the message to the debugger output and ends the process with
    // exit code 1, nothing saved.
    [[noreturn]] virtual void stopWithDebugMessage(const char* message) = 0;
};

}  // namespace setup

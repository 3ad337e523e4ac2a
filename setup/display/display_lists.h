#pragma once
// The display adapters and their 16-bit display modes as ordered lists, with
// the lookups the adapter buttons and the resolution knob use.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "setup/display/display_devices.h"

namespace setup {

// One record type for both lists: an adapter has size 0 x 0, a GUID (none for
// the primary display), its description as label and its driver name; a mode
// has its size, no GUID, the label "WxH" and no driver name.
struct DisplayListEntry {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::optional<AdapterGuid> adapterGuid;
    std::string label;
    std::optional<std::string> driverName;
    std::unique_ptr<DisplayListEntry> next;

    DisplayListEntry() = default;
    DisplayListEntry(const DisplayListEntry&) = delete;
    DisplayListEntry& operator=(const DisplayListEntry&) = delete;
    // Frees the chain behind it one entry at a time.
    ~DisplayListEntry();
};

// A singly linked list with its count and current index.
struct DisplayList {
    std::unique_ptr<DisplayListEntry> first;
    int count = 0;
    int current = 0;

    // Clamps index to the list (at or past the end: the last entry; negative:
    // the first), makes it current and gives that entry; null when empty.
    DisplayListEntry* byIndex(int index);
    void free();
};

using AdapterList = DisplayList;
using ModeList = DisplayList;

// The four messages of a failed listing, each with its line feed.
inline constexpr const char* kCreateFailed = "Couldn't create DirectDraw object.\n";
inline constexpr const char* kQueryFailed = "Couldn't query the interface.\n";
inline constexpr const char* kCooperativeLevelFailed = "Couldn't set cooperative level.\n";
inline constexpr const char* kEnumerateFailed = "Couldn't enumerate modes.\n";

// Both lists and the display interface they are read through.
class DisplayLists {
public:
    explicit DisplayLists(DisplayDevices& devices) : devices_(devices) {}

    // Fills the empty adapter list, the last reported driver first; adapter 0
    // becomes current.
    void listAdapters();
    // Lists the 16-bit modes of the current adapter, largest area first, equal
    // areas in the reported order; mode 0 becomes current. The display
    // interface stays held until releaseDirectDraw.
    void listModes();
    void releaseDirectDraw();

    DisplayListEntry* adapterByIndex(int index) { return adapters_.byIndex(index); }
    // The first adapter with exactly that driver name, else the adapter at
    // index 0 (null when there is none). The current index stays.
    DisplayListEntry* adapterByDriverName(const std::string& driverName);
    DisplayListEntry* modeByIndex(int index) { return modes_.byIndex(index); }
    // Index of the first mode of exactly that size; 0 when none is listed.
    int modeIndexOf(std::int32_t width, std::int32_t height) const;

    void freeAdapterList() { adapters_.free(); }
    void freeModeList() { modes_.free(); }

    // Releases the interface, writes the message to the debugger output and
    // ends the process.
    [[noreturn]] void reportDisplayFailure(const char* message);

    int currentAdapterIndex() const { return adapters_.current; }
    int currentModeIndex() const { return modes_.current; }
    int adapterCount() const { return adapters_.count; }
    int modeCount() const { return modes_.count; }
    const AdapterList& adapters() const { return adapters_; }
    const ModeList& modes() const { return modes_; }

private:
    void insertMode(const ModeReport& mode);

    DisplayDevices& devices_;
    AdapterList adapters_;
    ModeList modes_;
};

}  // namespace setup

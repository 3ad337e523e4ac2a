#include "setup/display/display_lists.h"

#include <cstdlib>
#include <string>

namespace setup {
namespace {

// Adapter texts pass through 256-byte buffers on their way into an entry.
constexpr std::size_t kAdapterTextLimit = 255;

}  // namespace

DisplayListEntry::~DisplayListEntry() {
    // Unlinking iteratively keeps a long list from recursing once per entry.
    auto rest = std::move(next);
    while (rest) rest = std::move(rest->next);
}

DisplayListEntry* DisplayList::byIndex(int index) {
    if (!first) return nullptr;
    if (index >= count) index = count - 1;
    if (index < 0) index = 0;
    current = index;
    DisplayListEntry* entry = first.get();
    for (int i = 0; i < index && entry->next; ++i) entry = entry->next.get();
    return entry;
}

void DisplayList::free() {
    first.reset();
    count = 0;
}

void DisplayLists::listAdapters() {
    bool listed = devices_.enumerateAdapters([this](const AdapterReport& report) {
        auto entry = std::make_unique<DisplayListEntry>();
        entry->adapterGuid = report.guid;
        entry->label = report.description.substr(0, kAdapterTextLimit);
        entry->driverName = report.driverName.substr(0, kAdapterTextLimit);
        entry->next = std::move(adapters_.first);
        adapters_.first = std::move(entry);
        ++adapters_.count;
    });
    if (!listed) reportDisplayFailure(kEnumerateFailed);
    adapters_.current = 0;
}

void DisplayLists::listModes() {
    freeModeList();
    const DisplayListEntry* adapter = adapterByIndex(adapters_.current);
    if (!devices_.createObject(adapter ? adapter->adapterGuid : std::nullopt)) reportDisplayFailure(kCreateFailed);
    if (!devices_.queryInterface()) reportDisplayFailure(kQueryFailed);
    if (!devices_.setCooperativeLevel()) reportDisplayFailure(kCooperativeLevelFailed);
    bool listed = devices_.enumerateModes([this](const ModeReport& mode) {
        if (mode.rgbBitCount == 16) insertMode(mode);
    });
    if (!listed) reportDisplayFailure(kEnumerateFailed);
    modes_.current = 0;
}

// Goes past every entry at least as large, so equal areas keep the order in
// which they were reported.
void DisplayLists::insertMode(const ModeReport& mode) {
    auto entry = std::make_unique<DisplayListEntry>();
    entry->width = mode.width;
    entry->height = mode.height;
    entry->label = std::to_string(mode.width) + "x" + std::to_string(mode.height);
    const std::int64_t area = std::int64_t{mode.width} * mode.height;
    std::unique_ptr<DisplayListEntry>* link = &modes_.first;
    while (*link && std::int64_t{(*link)->width} * (*link)->height >= area) link = &(*link)->next;
    entry->next = std::move(*link);
    *link = std::move(entry);
    ++modes_.count;
}

void DisplayLists::releaseDirectDraw() { devices_.release(); }

DisplayListEntry* DisplayLists::adapterByDriverName(const std::string& driverName) {
    for (DisplayListEntry* entry = adapters_.first.get(); entry; entry = entry->next.get())
        if (entry->driverName == driverName) return entry;
    return adapters_.first.get();
}

int DisplayLists::modeIndexOf(std::int32_t width, std::int32_t height) const {
    int index = 0;
    for (const DisplayListEntry* entry = modes_.first.get(); entry; entry = entry->next.get(), ++index)
        if (entry->width == width && entry->height == height) return index;
    return 0;
}

void DisplayLists::reportDisplayFailure(const char* message) {
    releaseDirectDraw();
    devices_.stopWithDebugMessage(message);
    std::abort();  // the compiler cannot see through the virtual call that it never returns
}

}  // namespace setup

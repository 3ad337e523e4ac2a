#pragma once
// The display adapters and modes as DirectDraw reports them.

#include "setup/display/display_devices.h"

namespace setup {

class DirectDrawDevices : public DisplayDevices {
public:
    ~DirectDrawDevices() override { release(); }

    bool enumerateAdapters(const std::function<void(const AdapterReport&)>& report) override;
    bool createObject(const std::optional<AdapterGuid>& guid) override;
    bool queryInterface() override;
    bool setCooperativeLevel() override;
    bool enumerateModes(const std::function<void(const ModeReport&)>& report) override;
    void release() override;
    [[noreturn]] void stopWithDebugMessage(const char* message) override;

    // The setup window (an HWND), whose cooperative level is set.
    void* window = nullptr;

private:
    void* object_ = nullptr;      // IDirectDraw, between create and query
    void* interface2_ = nullptr;  // IDirectDraw2, held until released
};

}  // namespace setup

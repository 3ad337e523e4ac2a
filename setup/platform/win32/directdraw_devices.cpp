#include "setup/platform/win32/directdraw_devices.h"

#include <windows.h>

#include <ddraw.h>

#include <cstring>

namespace setup {
namespace {

// {B3A6F3E0-2B43-11CF-A2DE-00AA00B93356}, declared here so that no GUID
// library is needed.
constexpr GUID kIidDirectDraw2{0xB3A6F3E0, 0x2B43, 0x11CF, {0xA2, 0xDE, 0x00, 0xAA, 0x00, 0xB9, 0x33, 0x56}};

using AdapterSink = std::function<void(const AdapterReport&)>;
using ModeSink = std::function<void(const ModeReport&)>;

BOOL WINAPI onAdapter(GUID* guid, LPSTR description, LPSTR driverName, LPVOID context) {
    AdapterReport report;
    if (guid) {
        AdapterGuid copy;
        std::memcpy(copy.data(), guid, copy.size());
        report.guid = copy;
    }
    report.description = description ? description : "";
    report.driverName = driverName ? driverName : "";
    (*static_cast<const AdapterSink*>(context))(report);
    return DDENUMRET_OK;
}

HRESULT WINAPI onMode(LPDDSURFACEDESC mode, LPVOID context) {
    ModeReport report{static_cast<std::int32_t>(mode->dwWidth), static_cast<std::int32_t>(mode->dwHeight),
                      static_cast<std::int32_t>(mode->ddpfPixelFormat.dwRGBBitCount)};
    (*static_cast<const ModeSink*>(context))(report);
    return DDENUMRET_OK;
}

}  // namespace

bool DirectDrawDevices::enumerateAdapters(const AdapterSink& report) {
    return SUCCEEDED(DirectDrawEnumerateA(onAdapter, const_cast<AdapterSink*>(&report)));
}

bool DirectDrawDevices::createObject(const std::optional<AdapterGuid>& guid) {
    GUID adapter{};
    if (guid) std::memcpy(&adapter, guid->data(), sizeof adapter);
    LPDIRECTDRAW object = nullptr;
    if (FAILED(DirectDrawCreate(guid ? &adapter : nullptr, &object, nullptr))) return false;
    object_ = object;
    return true;
}

bool DirectDrawDevices::queryInterface() {
    auto object = static_cast<LPDIRECTDRAW>(object_);
    LPDIRECTDRAW2 second = nullptr;
    const HRESULT result = object->QueryInterface(kIidDirectDraw2, reinterpret_cast<void**>(&second));
    if (FAILED(result)) return false;
    object->Release();
    object_ = nullptr;
    interface2_ = second;
    return true;
}

bool DirectDrawDevices::setCooperativeLevel() {
    auto second = static_cast<LPDIRECTDRAW2>(interface2_);
    const DWORD level = DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE | DDSCL_NOWINDOWCHANGES;  // 0x15
    return SUCCEEDED(second->SetCooperativeLevel(static_cast<HWND>(window), level));
}

bool DirectDrawDevices::enumerateModes(const ModeSink& report) {
    auto second = static_cast<LPDIRECTDRAW2>(interface2_);
    return SUCCEEDED(second->EnumDisplayModes(0, nullptr, const_cast<ModeSink*>(&report), onMode));
}

// The first object is released too when the query for the second interface
// failed, so a failed listing leaves nothing held.
void DirectDrawDevices::release() {
    if (interface2_) static_cast<LPDIRECTDRAW2>(interface2_)->Release();
    if (object_) static_cast<LPDIRECTDRAW>(object_)->Release();
    interface2_ = nullptr;
    object_ = nullptr;
}

void DirectDrawDevices::stopWithDebugMessage(const char* message) {
    OutputDebugStringA(message);
    // A failed listing is a failure: exit code 1, and no teardown runs.
    ExitProcess(1);
}

}  // namespace setup

// The program's own resources and the process clock, for the Win32 backend.
#include <windows.h>

#include <algorithm>
#include <ctime>
#include <vector>

#include "setup/platform/win32/win32_platform.h"

namespace setup {

// The bitmap goes through a DIB section and comes back from GetBitmapBits in
// the device-dependent layout: rows from the top, each padded to 2 bytes.
// Skin bitmaps have widths that are multiples of 4, so there is no padding;
// other widths are read row by row all the same.
bool Win32Platform::loadBitmap(int id, BitmapBits& out) {
    HANDLE image = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!image) return false;
    auto bitmap = static_cast<HBITMAP>(image);
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    const int rowBytes = info.bmWidth * 3;
    const int paddedRowBytes = (rowBytes + 1) & ~1;
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(paddedRowBytes) * info.bmHeight);
    const LONG copied = GetBitmapBits(bitmap, static_cast<LONG>(bits.size()), bits.data());
    DeleteObject(bitmap);
    if (copied != static_cast<LONG>(bits.size())) return false;
    out.width = info.bmWidth;
    out.height = info.bmHeight;
    out.bgr.resize(static_cast<std::size_t>(rowBytes) * info.bmHeight);
    for (int y = 0; y < info.bmHeight; ++y)
        std::copy_n(bits.begin() + static_cast<std::ptrdiff_t>(y) * paddedRowBytes, rowBytes,
                    out.bgr.begin() + static_cast<std::ptrdiff_t>(y) * rowBytes);
    return true;
}

bool Win32Platform::loadText(int id, std::string& out) {
    HMODULE self = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(id), "RT_TEXT");
    if (!found) return false;
    HGLOBAL loaded = LoadResource(self, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return false;
    out.assign(static_cast<const char*>(bytes), SizeofResource(self, found));
    return true;
}

std::uint32_t Win32Platform::processMilliseconds() {
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(std::clock()) * 1000 / CLOCKS_PER_SEC);
}

}  // namespace setup

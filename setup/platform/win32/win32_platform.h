#pragma once
// The Win32 backend of the setup program's platform layer.

#include "setup/system/platform.h"

namespace setup {

class Win32Platform : public Platform {
public:
    [[noreturn]] void fatalStop(const FatalBox& box) override;
    bool loadBitmap(int id, BitmapBits& out) override;
    bool loadText(int id, std::string& out) override;
    std::uint32_t processMilliseconds() override;

    // The owner of the boxes that the setup window owns (an HWND).
    void* setupWindow = nullptr;

protected:
    bool moveReplacing(const std::string& from, const std::string& to) override;
};

}  // namespace setup

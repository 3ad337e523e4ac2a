#include "setup/platform/win32/win32_platform.h"

#include <windows.h>

namespace setup {

// A box without owner leaves the setup window working while it is up: a press
// on the launch control would start the game again. The window is disabled
// first, so nothing but the box acts until the process ends.
void Win32Platform::fatalStop(const FatalBox& box) {
    HWND owner = box.ownedBySetupWindow ? static_cast<HWND>(setupWindow) : nullptr;
    if (setupWindow) EnableWindow(static_cast<HWND>(setupWindow), FALSE);
    MessageBoxA(owner, box.text, box.caption, box.stopIcon ? MB_OK | MB_ICONSTOP : MB_OK);
    // A fatal stop is a failure: exit code 1, and no teardown runs.
    ExitProcess(1);
}

// Write-through so the new Config.ini is on disk before the old one is gone.
bool Win32Platform::moveReplacing(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace setup

#include "win32_platform.h"

#include <windows.h>

namespace orv {

void Win32Platform::fatalStop(const FatalBox& box) {
  HWND owner = box.ownedBySetupWindow ? static_cast<HWND>(setupWindow) : nullptr;
  MessageBoxA(owner, box.text, box.caption, box.stopIcon ? MB_OK | MB_ICONSTOP : MB_OK);
  // A fatal stop is a failure: exit code 1, and no teardown runs.
  ExitProcess(1);
}

// Write-through so the new Config.ini is on disk before the old one is gone.
bool Win32Platform::replaceFile(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace orv

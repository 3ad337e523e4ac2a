#include "setup/platform/win32/shell_game_launcher.h"

#include <windows.h>

#include <shellapi.h>

namespace setup {

// The shell's own error box is turned off: a game that cannot be started is
// silent. The process handle is closed once the game has ended.
void ShellGameLauncher::runGame(const std::string& workingDirectory) {
    SHELLEXECUTEINFOA request{};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    request.hwnd = static_cast<HWND>(owner);
    request.lpVerb = "open";
    request.lpFile = "Orvane.exe";
    request.lpParameters = "";
    request.lpDirectory = workingDirectory.empty() ? nullptr : workingDirectory.c_str();
    request.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&request) || !request.hProcess) return;
    WaitForSingleObject(request.hProcess, INFINITE);
    CloseHandle(request.hProcess);
}

}  // namespace setup

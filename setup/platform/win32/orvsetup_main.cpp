// orvsetup.exe: the game's setup launcher.
#include <windows.h>

#include "setup/platform/win32/setup_application.h"
#include "setup/shell/command_line.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return setup::SetupApplication{}.run(setup::settingsPrefixFromCommandLine(GetCommandLineA()));
}

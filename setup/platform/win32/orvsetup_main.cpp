// orvsetup.exe: the game's setup launcher.
#include <windows.h>

#include "setup_application.h"
#include "shell/command_line.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return orv::SetupApplication{}.run(orv::settingsPrefixFromCommandLine(GetCommandLineA()));
}

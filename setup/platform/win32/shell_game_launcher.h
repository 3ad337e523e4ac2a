#pragma once
// Starts "Orvane.exe" through the shell and waits for it.

#include "setup/shell/setup_window.h"

namespace setup {

class ShellGameLauncher : public GameLauncher {
public:
    void runGame(const std::string& workingDirectory) override;

    void* owner = nullptr;  // the setup window (an HWND)
};

}  // namespace setup

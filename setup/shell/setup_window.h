#pragma once
// What the setup window's logic asks of the window it runs in. The Win32
// backend answers with the dialog's HWND; the headless backend records.

#include <string>
#include <vector>

#include "setup/skin/window_region.h"

namespace setup {

struct DesktopSize {
    int width = 0;
    int height = 0;
};

class SetupWindow {
public:
    virtual ~SetupWindow() = default;

    // The program's icon as the big, then as the small window icon.
    virtual void setIcons() = 0;
    // The desktop window's client size.
    virtual DesktopSize desktopSize() = 0;
    // The window's shape: the union of the runs, in client coordinates; no runs
    // means no region.
    virtual void setRegion(const std::vector<RowRun>& runs) = 0;
    // Moves and sizes the window on top of the others and shows it.
    virtual void place(int x, int y, int width, int height) = 0;
    virtual void setTitle(const std::string& title) = 0;
    virtual void startTimer(int id, int periodMilliseconds) = 0;
    virtual void killTimer(int id) = 0;
    // Asks for a repaint of the whole client area, background included.
    virtual void invalidate() = 0;
    // Hands the window to the system, which moves it with the pointer until
    // the left button is released.
    virtual void beginMove() = 0;
    // Ends the modal run; the window is destroyed afterwards.
    virtual void endModal(int result) = 0;
};

// Starts the game and returns once it has ended. A game that cannot be
// started returns at once, silently.
class GameLauncher {
public:
    virtual ~GameLauncher() = default;
    virtual void runGame(const std::string& workingDirectory) = 0;
};

}  // namespace setup

#pragma once
// The setup window's logic acting on the real dialog window.

#include <windows.h>

#include "setup/shell/setup_window.h"

namespace setup {

class Win32SetupWindow : public SetupWindow {
public:
    void setIcons() override;
    DesktopSize desktopSize() override;
    void setRegion(const std::vector<RowRun>& runs) override;
    void place(int x, int y, int width, int height) override;
    void setTitle(const std::string& title) override;
    void startTimer(int id, int periodMilliseconds) override;
    void killTimer(int id) override;
    void invalidate() override;
    void beginMove() override;
    void endModal(int result) override;

    HWND window = nullptr;
    HICON icon = nullptr;
};

}  // namespace setup

#include "setup/platform/win32/win32_setup_window.h"

namespace setup {

void Win32SetupWindow::setIcons() {
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

DesktopSize Win32SetupWindow::desktopSize() {
    RECT desktop{};
    GetClientRect(GetDesktopWindow(), &desktop);
    return {desktop.right - desktop.left, desktop.bottom - desktop.top};
}

// One rectangle per run, united into the first; the system owns the result.
void Win32SetupWindow::setRegion(const std::vector<RowRun>& runs) {
    HRGN shape = nullptr;
    for (const RowRun& run : runs) {
        HRGN row = CreateRectRgn(run.x0, run.y, run.x1, run.y + 1);
        if (!shape) {
            shape = row;
        } else {
            CombineRgn(shape, shape, row, RGN_OR);
            DeleteObject(row);
        }
    }
    SetWindowRgn(window, shape, TRUE);
}

void Win32SetupWindow::place(int x, int y, int width, int height) {
    SetWindowPos(window, HWND_TOP, x, y, width, height, SWP_SHOWWINDOW);
}

void Win32SetupWindow::setTitle(const std::string& title) { SetWindowTextA(window, title.c_str()); }

void Win32SetupWindow::startTimer(int id, int periodMilliseconds) {
    SetTimer(window, static_cast<UINT_PTR>(id), static_cast<UINT>(periodMilliseconds), nullptr);
}

void Win32SetupWindow::killTimer(int id) { KillTimer(window, static_cast<UINT_PTR>(id)); }

void Win32SetupWindow::invalidate() { InvalidateRect(window, nullptr, TRUE); }

// SC_MOVE with the caption hit code: the system's move loop follows the
// pointer until the release. Windows moves for any hit code in the low bits,
// but Wine's loop moves the window only for the caption or the border.
void Win32SetupWindow::beginMove() { SendMessageA(window, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0); }

void Win32SetupWindow::endModal(int result) { EndDialog(window, result); }

}  // namespace setup

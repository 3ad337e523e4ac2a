#include "setup/platform/win32/setup_application.h"

#include <windows.h>
#include <windowsx.h>

#include "setup/platform/win32/after_default_destroy.h"
#include "setup/platform/win32/directdraw_devices.h"
#include "setup/platform/win32/shell_game_launcher.h"
#include "setup/platform/win32/win32_platform.h"
#include "setup/platform/win32/win32_setup_window.h"
#include "setup/shell/setup_dialog.h"

namespace setup {
namespace {

constexpr int kDialogTemplate = 102;
constexpr int kIconResource = 128;

// Everything the dialog's messages reach, alive for the modal run.
struct SetupDialogHost {
    explicit SetupDialogHost(const std::string& prefix)
        : dialog(SetupServices{platform, window, display, launcher}, prefix) {
        window.icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kIconResource));
    }

    void attach(HWND hwnd) {
        window.window = hwnd;
        platform.setupWindow = hwnd;
        display.window = hwnd;
        launcher.owner = hwnd;
    }

    Win32Platform platform;
    Win32SetupWindow window;
    DirectDrawDevices display;
    ShellGameLauncher launcher;
    SetupDialog dialog;
};

// The whole scene, top-down 32-bit rows, in one call.
void presentScene(HDC dc, const Scene& scene) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = scene.width;
    info.bmiHeader.biHeight = -scene.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, scene.width, scene.height, 0, 0, 0, scene.height, scene.buffer.pixels.data(), &info,
                      DIB_RGB_COLORS);
}

// Minimised, the window shows its icon centred in the client area.
void paintIcon(HWND hwnd, HICON icon) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    SendMessageA(hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(hwnd, &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon);
    EndPaint(hwnd, &paint);
}

// FALSE passes a message on to default dialog processing.
INT_PTR CALLBACK setupDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        auto* host = reinterpret_cast<SetupDialogHost*>(lParam);
        host->attach(hwnd);
        // The teardown comes after the default processing of WM_DESTROY; after
        // it no message reaches the dialog's logic.
        runAfterDefaultDestroy(hwnd, [hwnd, host] {
            host->dialog.onDestroy();
            SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        });
        return host->dialog.onInitDialog() ? TRUE : FALSE;
    }
    auto* host = reinterpret_cast<SetupDialogHost*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (!host) return FALSE;
    SetupDialog& dialog = host->dialog;
    switch (message) {
        case WM_PAINT:
            if (!IsIconic(hwnd)) return FALSE;  // BeginPaint then sends WM_ERASEBKGND
            paintIcon(hwnd, host->window.icon);
            return TRUE;
        case WM_ERASEBKGND:
            if (dialog.onEraseBackground()) presentScene(reinterpret_cast<HDC>(wParam), dialog.scene());
            SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, 0);
            return TRUE;
        case WM_QUERYDRAGICON: return reinterpret_cast<INT_PTR>(host->window.icon);
        case WM_TIMER: dialog.onTimer(); return FALSE;
        case WM_MOUSEMOVE:
            dialog.onMouseMove((wParam & MK_LBUTTON) != 0, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return FALSE;
        case WM_LBUTTONDOWN: dialog.onLeftButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return FALSE;
        case WM_LBUTTONUP: dialog.onLeftButtonUp(); return FALSE;
        case WM_COMMAND:
            // Enter arrives as OK; Escape and the close command as Cancel.
            if (LOWORD(wParam) == IDOK) dialog.onOk();
            if (LOWORD(wParam) == IDCANCEL) dialog.onCancel();
            return TRUE;
        default: return FALSE;
    }
}

}  // namespace

int SetupApplication::run(const std::string& settingsPrefix) {
    SetupDialogHost host(settingsPrefix);
    // The dialog's result is not looked at.
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kDialogTemplate), nullptr, setupDialogProc,
                    reinterpret_cast<LPARAM>(&host));
    return 0;
}

}  // namespace setup

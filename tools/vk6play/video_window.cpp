#include "tools/vk6play/video_window.h"

#include "format/picture.h"

namespace vk6play {
namespace {

constexpr char kClassName[] = "vk6play";
constexpr int kWidth = format::kPictureWidth;

}  // namespace

VideoWindow::VideoWindow(int pixelType, int height, const char* title) : height_(height) {
    info_.header.biSize = sizeof(BITMAPINFOHEADER);
    info_.header.biWidth = kWidth;
    info_.header.biHeight = -height;  // rows from the top
    info_.header.biPlanes = 1;
    info_.header.biBitCount = 16;
    info_.header.biCompression = BI_BITFIELDS;
    if (pixelType == 15) {
        info_.masks[0] = 0x7C00, info_.masks[1] = 0x03E0, info_.masks[2] = 0x001F;
    } else {
        info_.masks[0] = 0xF800, info_.masks[1] = 0x07E0, info_.masks[2] = 0x001F;
    }

    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, kWidth, height};
    AdjustWindowRect(&frame, style, FALSE);
    // Centred on the screen, as a game's video would be.
    const int width = frame.right - frame.left, windowHeight = frame.bottom - frame.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - windowHeight) / 2;
    window_ = CreateWindowExA(0, kClassName, title, style, x > 0 ? x : 0, y > 0 ? y : 0, width, windowHeight, nullptr,
                              nullptr, instance, this);
    if (window_) ShowWindow(window_, SW_SHOWNORMAL);
}

VideoWindow::~VideoWindow() {
    if (window_) DestroyWindow(window_);
}

void VideoWindow::show(const uint16_t* pixels) {
    pixels_ = pixels;
    InvalidateRect(window_, nullptr, FALSE);
    UpdateWindow(window_);
}

bool VideoWindow::pumpUntil(ULONGLONG deadline) {
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (!open_) return false;
        ULONGLONG now = GetTickCount64();
        if (now >= deadline) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    }
}

void VideoWindow::paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    if (pixels_)
        StretchDIBits(dc, 0, 0, kWidth, height_, 0, 0, kWidth, height_, pixels_,
                      reinterpret_cast<const BITMAPINFO*>(&info_), DIB_RGB_COLORS, SRCCOPY);
    EndPaint(window_, &paint);
}

LRESULT CALLBACK VideoWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<VideoWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_PAINT: self->paint(); return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) self->open_ = false;
            return 0;
        case WM_CLOSE: self->open_ = false; return 0;
        case WM_DESTROY:
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            self->window_ = nullptr;
            return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace vk6play

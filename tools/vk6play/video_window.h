#pragma once
// The player's window: 640 x height pictures of 16-bit pixels shown as they
// are, through a bit-field DIB (5-6-5 or 5-5-5), until Escape or a close.

#include <windows.h>

#include <cstdint>

namespace vk6play {

class VideoWindow {
public:
    VideoWindow(int pixelType, int height, const char* title);
    ~VideoWindow();
    VideoWindow(const VideoWindow&) = delete;
    VideoWindow& operator=(const VideoWindow&) = delete;

    bool created() const { return window_ != nullptr; }
    // Shows the picture's first `height` rows (rows of 640 pixels, top first).
    void show(const uint16_t* pixels);
    // Handles pending messages until `deadline` (a GetTickCount64 time) passes;
    // false once the user has closed the window or pressed Escape.
    bool pumpUntil(ULONGLONG deadline);

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();

    struct BitfieldInfo {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } info_{};
    HWND window_ = nullptr;
    const uint16_t* pixels_ = nullptr;
    int height_;
    bool open_ = true;
};

}  // namespace vk6play

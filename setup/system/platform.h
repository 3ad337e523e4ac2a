#pragma once
// What the portable core of the setup program asks of the system it runs on.
// The Win32 backend is the real program; the headless backend serves tests,
// tools and the Linux build. No platform header is included here.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace setup {

// The fixed message boxes of the fatal stops.
struct FatalBox {
    const char* text;
    const char* caption;
    bool stopIcon;            // MB_ICONSTOP, else a plain MB_OK box
    bool ownedBySetupWindow;  // owner is the setup window, else no owner
};

inline constexpr FatalBox kConfigTooBig{"size of config.in is too big!", "Fatal Error", true, false};
inline constexpr FatalBox kBitmapMissing{"Bitmap not found in ressource", "Fatal Kill Error", false, true};

// A 24-bit bitmap resource as the loader reads it: packed 3-byte pixels in the
// order blue, green, red, rows from the top, no padding between rows.
struct BitmapBits {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgr;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Shows the box, then ends the process at once with exit code 1: no
    // teardown, nothing saved. Never returns to the caller.
    [[noreturn]] virtual void fatalStop(const FatalBox& box) = 0;

    // Creates or empties the file and writes all of bytes to it, checking every
    // write, the flush, the sync to the disk and the close. False on any failure.
    // This and replaceFile tell the file step hook of each step (file_steps.h).
    virtual bool writeFile(const std::string& path, std::string_view bytes);

    // Puts the file `from` in the place of `to` in one step, replacing it.
    bool replaceFile(const std::string& from, const std::string& to);

    virtual void removeFile(const std::string& path);

    // The program's own resources: RT_BITMAP by id, and type "RT_TEXT" by id.
    // False when there is no such resource.
    virtual bool loadBitmap(int id, BitmapBits& out) = 0;
    virtual bool loadText(int id, std::string& out) = 0;

    // Milliseconds since the process started (the runtime's process clock).
    virtual std::uint32_t processMilliseconds() = 0;

protected:
    // The system's own replacement of `to` by `from`, for replaceFile.
    virtual bool moveReplacing(const std::string& from, const std::string& to) = 0;
};

// Has the system put the file's bytes on the disk, so that a file that takes
// another's place afterwards is not found empty after a power cut. Each
// system's own, in platform/win32 and platform/posix.
bool syncToDisk(std::FILE* file);

}  // namespace setup

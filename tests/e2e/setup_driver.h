#pragma once
// Drives a running orvsetup.exe from another process: finds its window, reads
// the hit map out of the program's resources and sends it mouse and key
// messages at the pixels of given hit colours.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace setup::e2e {

inline constexpr const char* kSetupTitle = "OrVanE SeTup";
inline constexpr std::uint32_t kKeyColour = 0xFF00FE;

// Hit colours of the controls; a knob's face is a ramp from its low colour,
// position p at low + p (0 to 100).
inline constexpr std::uint32_t kQuit = 0xFFFF00;
inline constexpr std::uint32_t kLaunch = 0xFF0000;
inline constexpr std::uint32_t kSpeakerFlip = 0x0000FF;
inline constexpr std::uint32_t kQualityLow = 0x0000FC;
inline constexpr std::uint32_t kQualityMedium = 0x0000FD;
inline constexpr std::uint32_t kQualityHigh = 0x0000FE;
inline constexpr std::uint32_t kAdapterNext = 0x00FFFF;
inline constexpr std::uint32_t kAdapterPrevious = 0x00FEFF;
inline constexpr std::uint32_t kResolutionLow = 0xFF000A;
inline constexpr std::uint32_t kGeneralVolumeLow = 0x00FF00;
inline constexpr std::uint32_t kVoiceVolumeLow = 0x01FF00;
inline constexpr std::uint32_t kSfxVolumeLow = 0x02FF00;
inline constexpr std::uint32_t kCdVolumeLow = 0x03FF00;
inline constexpr std::uint32_t kPlainBackground = 0xFFFFFF;

// How long the driver waits for the program before it gives up: far beyond
// what a start, a press or a launch takes on a loaded machine, so that only a
// program that hangs or never does what is awaited reaches it.
inline constexpr int kPatienceMs = 120000;

// Resource 146 of the program, as 0x00RRGGBB pixels, rows from the top.
struct HitMap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    // The pixel of that colour nearest to the middle of all pixels of it.
    std::optional<POINT> find(std::uint32_t colour) const;
};

// Reads the hit map from the program file without running it. Empty when the
// file or the resource is missing.
HitMap readHitMap(const std::string& programPath);

// Asks until the condition holds, up to timeoutMs; whether it held.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs);

// The visible top-level window with that title (of that process when pid is
// not 0), waiting up to timeoutMs for it.
HWND waitForWindow(const char* title, DWORD pid, int timeoutMs);

// Returns once the window's thread has handled every message sent to it
// before and is back at its message loop (or after kPatienceMs).
void settle(HWND window);

// The window that has the mouse capture in the window's thread, and whether
// that thread runs the system's loop that moves a window.
HWND captureOf(HWND window);
bool inMoveLoop(HWND window);

// How many visible top-level windows the process has.
int visibleWindowCount(DWORD pid);
// The titles of all visible top-level windows but that one, of any process:
// a message box, a crash dialog or any other window that should not be there.
std::vector<std::string> otherVisibleWindows(HWND window);

// A move to the point, a press and a release of the left button, each sent
// and handled before the next (a launch blocks until the game has ended,
// which is awaited up to kPatienceMs).
void click(HWND window, POINT at);
// The same three messages posted, for a press whose handling does not return
// soon (the launch control waits for the game): the driver goes on at once.
void postClick(HWND window, POINT at);
// A move without the button.
void hover(HWND window, POINT at);
// A move with the left button held.
void drag(HWND window, POINT at);
// Key down and up through the window's message loop, as a key press arrives.
void pressKey(HWND window, UINT virtualKey);
// The system menu's close command.
void closeCommand(HWND window);

// The real pointer, through the system's input queue as a mouse would drive
// it: a move to a screen point, and the left button going down or up there.
// The window's thread takes them in the order given, after every message
// posted to it, whenever it gets to them.
void pointerTo(POINT screen);
void leftButton(bool down);
// A press and a release of the middle button, which the setup window ignores.
// Moves of the pointer that wait for the window one after the other are
// merged into the last; this keeps the moves before it from those after it.
void separateMoves();
// Puts the pointer in the top left corner of the screen, where no window of
// the setup program is: a window that appears under the pointer gets a move
// of it (see dragWindowWithPointer).
void parkPointer();
// A drag of the window with the real pointer: the button goes down at one
// screen point, the pointer moves to the other in equal steps and the button
// comes up there. Returns once the window has handled the end of the system's
// move loop: whether the loop began and the window moved as the pointer did
// from the loop's origin, which is the press point or the first step.
bool dragWindowWithPointer(HWND window, POINT from, POINT to, int steps);

// Runs the program with the arguments in the working directory and gives the
// process; the caller closes the handles.
PROCESS_INFORMATION startProgram(const std::string& programPath, const std::string& arguments,
                                 const std::string& workingDirectory);
// Exit code of the process once it has ended, or nothing after timeoutMs.
std::optional<DWORD> waitForExit(const PROCESS_INFORMATION& process, int timeoutMs);

// The Windows form of a path of the host (Wine maps / to drive Z:).
std::string windowsPath(const std::string& hostPath);

}  // namespace setup::e2e

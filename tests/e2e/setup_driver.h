#pragma once
// Drives a running orvsetup.exe from another process: finds its window, reads
// the hit map out of the program's resources and sends it mouse and key
// messages at the pixels of given hit colours.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv::e2e {

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

// The visible top-level window with that title (of that process when pid is
// not 0), waiting up to timeoutMs for it.
HWND waitForWindow(const char* title, DWORD pid, int timeoutMs);

// How many visible top-level windows the process has.
int visibleWindowCount(DWORD pid);
// The titles of all visible top-level windows but that one, of any process:
// a message box, a crash dialog or any other window that should not be there.
std::vector<std::string> otherVisibleWindows(HWND window);

// A move to the point, a press and a release of the left button, each sent
// and handled before the next (a launch blocks until the game has ended).
void click(HWND window, POINT at);
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
void pointerTo(POINT screen);
void leftButton(bool down);
// A drag with the real pointer: the button goes down at one screen point, the
// pointer moves to the other in equal steps and the button comes up there,
// with pauses for the window to follow.
void dragPointer(POINT from, POINT to, int steps);

// Runs the program with the arguments in the working directory and gives the
// process; the caller closes the handles.
PROCESS_INFORMATION startProgram(const std::string& programPath, const std::string& arguments,
                                 const std::string& workingDirectory);
// Exit code of the process once it has ended, or nothing after timeoutMs.
std::optional<DWORD> waitForExit(const PROCESS_INFORMATION& process, int timeoutMs);

// The Windows form of a path of the host (Wine maps / to drive Z:).
std::string windowsPath(const std::string& hostPath);

}  // namespace orv::e2e

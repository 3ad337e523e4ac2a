#include "tests/e2e/setup_driver.h"

#include <cstring>

namespace setup::e2e {
namespace {

LPARAM pointParam(POINT at) { return MAKELPARAM(at.x, at.y); }

void send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kPatienceMs, &result);
}

void mouseButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

GUITHREADINFO threadInfoOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

struct WindowSearch {
    const char* title;
    DWORD pid;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    char title[256] = {};
    GetWindowTextA(window, title, sizeof title);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (IsWindowVisible(window) && std::strcmp(title, search->title) == 0 && (search->pid == 0 || pid == search->pid)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct WindowCount {
    DWORD pid;
    int visible;
};

BOOL CALLBACK countWindow(HWND window, LPARAM param) {
    auto* count = reinterpret_cast<WindowCount*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == count->pid && IsWindowVisible(window)) ++count->visible;
    return TRUE;
}

struct OtherWindows {
    HWND except;
    std::vector<std::string> titles;
};

BOOL CALLBACK collectOtherWindow(HWND window, LPARAM param) {
    auto* other = reinterpret_cast<OtherWindows*>(param);
    if (window == other->except || !IsWindowVisible(window)) return TRUE;
    char title[256] = {}, kind[64] = {};
    GetWindowTextA(window, title, sizeof title);
    GetClassNameA(window, kind, sizeof kind);
    other->titles.push_back(std::string(title) + " (" + kind + ")");
    return TRUE;
}

}  // namespace

std::optional<POINT> HitMap::find(std::uint32_t colour) const {
    long long sumX = 0, sumY = 0, count = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (at(x, y) == colour) sumX += x, sumY += y, ++count;
    if (count == 0) return std::nullopt;
    const long long cx = sumX / count, cy = sumY / count;
    std::optional<POINT> best;
    long long bestDistance = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (at(x, y) != colour) continue;
            const long long distance = (x - cx) * (x - cx) + (y - cy) * (y - cy);
            if (!best || distance < bestDistance) best = POINT{x, y}, bestDistance = distance;
        }
    return best;
}

// The resource is a packed DIB: the header, then 24-bit rows padded to 4
// bytes, bottom-up unless the height is negative.
HitMap readHitMap(const std::string& programPath) {
    HitMap map;
    HMODULE program = LoadLibraryExA(programPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!program) return map;
    HRSRC found = FindResourceA(program, MAKEINTRESOURCEA(146), MAKEINTRESOURCEA(2));  // RT_BITMAP
    HGLOBAL loaded = found ? LoadResource(program, found) : nullptr;
    const auto* header = loaded ? static_cast<const BITMAPINFOHEADER*>(LockResource(loaded)) : nullptr;
    if (header && header->biBitCount == 24 && header->biCompression == BI_RGB) {
        map.width = header->biWidth;
        map.height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
        const bool bottomUp = header->biHeight > 0;
        const auto* bits = reinterpret_cast<const std::uint8_t*>(header) + header->biSize;
        const int stride = (map.width * 3 + 3) & ~3;
        map.pixels.resize(static_cast<std::size_t>(map.width) * map.height);
        for (int y = 0; y < map.height; ++y) {
            const std::uint8_t* row = bits + static_cast<std::size_t>(bottomUp ? map.height - 1 - y : y) * stride;
            for (int x = 0; x < map.width; ++x)
                map.pixels[static_cast<std::size_t>(y) * map.width + x] =
                    row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16;
        }
    }
    FreeLibrary(program);
    return map;
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        Sleep(20);
    }
}

HWND waitForWindow(const char* title, DWORD pid, int timeoutMs) {
    WindowSearch search{title, pid, nullptr};
    waitUntil(
        [&] {
            EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeoutMs);
    return search.found;
}

void settle(HWND window) { send(window, WM_NULL, 0, 0); }

HWND captureOf(HWND window) { return threadInfoOf(window).hwndCapture; }

bool inMoveLoop(HWND window) { return (threadInfoOf(window).flags & GUI_INMOVESIZE) != 0; }

int visibleWindowCount(DWORD pid) {
    WindowCount count{pid, 0};
    EnumWindows(countWindow, reinterpret_cast<LPARAM>(&count));
    return count.visible;
}

std::vector<std::string> otherVisibleWindows(HWND window) {
    OtherWindows other{window, {}};
    EnumWindows(collectOtherWindow, reinterpret_cast<LPARAM>(&other));
    return other.titles;
}

void click(HWND window, POINT at) {
    send(window, WM_MOUSEMOVE, 0, pointParam(at));
    send(window, WM_LBUTTONDOWN, MK_LBUTTON, pointParam(at));
    send(window, WM_LBUTTONUP, 0, pointParam(at));
}

void postClick(HWND window, POINT at) {
    PostMessageA(window, WM_MOUSEMOVE, 0, pointParam(at));
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, pointParam(at));
    PostMessageA(window, WM_LBUTTONUP, 0, pointParam(at));
}

void hover(HWND window, POINT at) { send(window, WM_MOUSEMOVE, 0, pointParam(at)); }

void drag(HWND window, POINT at) { send(window, WM_MOUSEMOVE, MK_LBUTTON, pointParam(at)); }

void pressKey(HWND window, UINT virtualKey) {
    PostMessageA(window, WM_KEYDOWN, virtualKey, 1);
    PostMessageA(window, WM_KEYUP, virtualKey, 1 | 0xC0000000);
}

void closeCommand(HWND window) { PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

// Absolute coordinates run from 0 to 65535 over the screen; rounding up lands
// on the pixel itself.
void pointerTo(POINT screen) {
    const long width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((screen.x * 65536L + width - 1) / width);
    input.mi.dy = static_cast<LONG>((screen.y * 65536L + height - 1) / height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

void leftButton(bool down) { mouseButton(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP); }

void separateMoves() {
    mouseButton(MOUSEEVENTF_MIDDLEDOWN);
    mouseButton(MOUSEEVENTF_MIDDLEUP);
}

void parkPointer() { pointerTo(POINT{0, 0}); }

// Under Wine each jump of the pointer that no window holds comes back to the
// window under it once more, later, as a move of the X pointer to that place
// (an echo). The system's move loop takes the place of the first move with
// the button held as its origin: that is the press point when the echo of the
// jump there comes after the press, else the first step, which is why the
// loop is awaited before the next one. Once the loop has begun it holds the
// pointer: Wine then moves only its own pointer and the window drops echoes,
// so the steps reach the loop as they were sent. Echoes of jumps to other
// places, from before the drag, must have come back before it. The loop moves
// the window as it goes, but on a loaded machine Wine can hand it the release
// before the last move, or lose that move: the button comes up only once the
// window has followed the pointer to its end, and a move the loop has not
// shown after a while is made again. After the loop the window's thread
// places the window, then comes back to its message loop.
bool dragWindowWithPointer(HWND window, POINT from, POINT to, int steps) {
    auto step = [&](int n) {
        return POINT{from.x + (to.x - from.x) * n / steps, from.y + (to.y - from.y) * n / steps};
    };
    RECT before{};
    GetWindowRect(window, &before);
    auto followed = [&] {
        RECT now{};
        GetWindowRect(window, &now);
        const POINT moved{now.left - before.left, now.top - before.top};
        auto fromOrigin = [&](POINT origin) { return moved.x == to.x - origin.x && moved.y == to.y - origin.y; };
        return fromOrigin(from) || fromOrigin(step(1));
    };
    pointerTo(from);
    leftButton(true);
    pointerTo(step(1));
    const bool began = waitUntil([&] { return inMoveLoop(window); }, kPatienceMs);
    for (int n = 2; n <= steps; ++n) pointerTo(step(n));
    constexpr int kTries = 4;
    int tries = 0;
    while (began && !waitUntil(followed, kPatienceMs / 12) && ++tries < kTries) {
        pointerTo(step(steps - 1));
        pointerTo(to);
    }
    leftButton(false);
    waitUntil([&] { return !inMoveLoop(window); }, kPatienceMs);
    settle(window);
    return began && followed();
}

PROCESS_INFORMATION startProgram(const std::string& programPath, const std::string& arguments,
                                 const std::string& workingDirectory) {
    std::string commandLine = "\"" + programPath + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, workingDirectory.c_str(), &startup,
                   &process);
    return process;
}

std::optional<DWORD> waitForExit(const PROCESS_INFORMATION& process, int timeoutMs) {
    if (!process.hProcess || WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
}

std::string windowsPath(const std::string& hostPath) {
    if (hostPath.empty() || hostPath[0] != '/') return hostPath;
    std::string path = "Z:" + hostPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

}  // namespace setup::e2e

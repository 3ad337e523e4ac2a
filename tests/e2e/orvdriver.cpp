// orvdriver.exe: drives a running orvsetup.exe from scripts.
//   orvdriver wait                 prints "x y width height" of the window
//   orvdriver click PROGRAM RRGGBB press the control of that hit colour
//   orvdriver hover PROGRAM RRGGBB point at it without the button
//   orvdriver drag PROGRAM RRGGBB  move over it with the button held
//   orvdriver escape | enter | close
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/e2e/setup_driver.h"

using namespace setup::e2e;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: orvdriver wait|click|hover|drag|escape|enter|close [PROGRAM RRGGBB]\n");
        return 2;
    }
    const std::string command = argv[1];
    HWND window = waitForWindow(kSetupTitle, 0, kPatienceMs);
    if (!window) {
        std::fprintf(stderr, "no window titled %s\n", kSetupTitle);
        return 1;
    }
    if (command == "wait") {
        RECT frame;
        GetWindowRect(window, &frame);
        std::printf("%ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
    } else if (command == "escape") {
        pressKey(window, VK_ESCAPE);
    } else if (command == "enter") {
        pressKey(window, VK_RETURN);
    } else if (command == "close") {
        closeCommand(window);
    } else if (argc == 4 && (command == "click" || command == "hover" || command == "drag")) {
        const HitMap map = readHitMap(windowsPath(argv[2]));
        const auto point = map.find(static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 16)));
        if (!point) {
            std::fprintf(stderr, "no pixel of colour %s in the hit map\n", argv[3]);
            return 1;
        }
        if (command == "click") click(window, *point);
        if (command == "hover") hover(window, *point);
        if (command == "drag") drag(window, *point);
    } else {
        std::fprintf(stderr, "unknown command %s\n", command.c_str());
        return 2;
    }
    return 0;
}

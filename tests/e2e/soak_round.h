#pragma once
// One round of the soak: everything a user does to the setup window short of
// quitting, and the settings the program should then hold. Each round varies
// the knob positions and the order of the presses; every eighth also drags
// the window, back and forth in turn.

#include <windows.h>

#include <cstdint>
#include <map>

#include "setup/display/display_lists.h"
#include "setup/settings/setup_settings.h"
#include "tests/e2e/setup_driver.h"

namespace setup::e2e {

class SoakRound {
public:
    // The window of the running program, its hit map, the settings it started
    // with and the display lists of this machine.
    SoakRound(HWND window, const HitMap& map, SetupSettings start, DisplayLists& display);

    void run(int round);

    // What Config.ini should hold after the rounds so far.
    const SetupSettings& expected() const { return expected_; }
    // Drags of the background that did not move the window at all, and those
    // after which it was elsewhere than the pointer took it: Wine repeats some
    // moves of the pointer later, which a loaded machine can let into a drag
    // (see dragWindowWithPointer); that is Wine's pointer, not the program.
    int stuckDrags() const { return stuckDrags_; }
    int misplacedDrags() const { return misplacedDrags_; }

private:
    void hoverEveryControl();
    void pressToggles(int round);
    void turnKnobs(int round);
    void stepAdapters();
    void dragWindow(bool back);

    POINT at(std::uint32_t colour);

    HWND window_;
    const HitMap& map_;
    SetupSettings expected_;
    DisplayLists& display_;
    std::map<std::uint32_t, POINT> points_;
    int stuckDrags_ = 0;
    int misplacedDrags_ = 0;
};

}  // namespace setup::e2e

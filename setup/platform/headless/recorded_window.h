#pragma once
// The headless setup window: records what the logic does to it, so tests and
// tools can drive whole sessions without a window system.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "setup/shell/setup_window.h"

namespace setup {

class RecordedWindow : public SetupWindow {
public:
    struct Placement {
        int x = 0, y = 0, width = 0, height = 0;
        bool operator==(const Placement&) const = default;
    };

    void setIcons() override { log.push_back("icons"); }
    DesktopSize desktopSize() override {
        log.push_back("desktop");
        return desktop;
    }
    void setRegion(const std::vector<RowRun>& runs) override;
    void place(int x, int y, int width, int height) override;
    void setTitle(const std::string& text) override;
    void startTimer(int id, int periodMilliseconds) override;
    void killTimer(int id) override;
    void invalidate() override { ++invalidations; }
    void beginMove() override {
        ++moves;
        log.push_back("move");
    }
    void endModal(int result) override;

    DesktopSize desktop{1024, 768};  // what the desktop measures

    std::vector<std::string> log;  // every call but invalidate, in order
    std::vector<RowRun> region;
    std::optional<Placement> placement;
    std::string title;
    std::optional<int> runningTimer;
    int timerPeriod = 0;
    int invalidations = 0;
    int moves = 0;
    std::optional<int> endResult;
};

// Runs a scripted stand-in for the game instead of starting one.
class FakeLauncher : public GameLauncher {
public:
    void runGame(const std::string& workingDirectory) override {
        workingDirectories.push_back(workingDirectory);
        if (game) game(workingDirectory);
    }

    std::function<void(const std::string&)> game;  // none: the game cannot be started
    std::vector<std::string> workingDirectories;
};

}  // namespace setup

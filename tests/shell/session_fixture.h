#pragma once
// A whole setup window session over the headless backend: a skin (the
// synthetic one or the shipped one), scripted display, recorded window, fake
// game, settings in a fresh folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "setup/platform/headless/recorded_window.h"
#include "setup/platform/headless/scripted_display.h"
#include "setup/shell/setup_dialog.h"
#include "tests/scratch_path.h"
#include "tests/shell/session_skin.h"

namespace setup::test {

inline constexpr AdapterGuid kCardGuid{9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9};

template <class SkinPlatform>
class SessionFixture : public ::testing::Test {
protected:
    SessionFixture() {
        // Reported primary first, so the card is index 0 and the primary index 1.
        display.adapters = {{std::nullopt, "Primary Display Driver", "display"}, {kCardGuid, "Card Two", "card2"}};
        display.modesByAdapter = {
            {kCardGuid, {{640, 480, 16}, {1024, 768, 16}, {800, 600, 16}, {800, 600, 32}, {320, 240, 16}}},
            {std::nullopt, {{640, 480, 16}}},
        };
    }
    ~SessionFixture() override { std::filesystem::remove_all(folder); }

    void writeConfig(const std::string& text) { std::ofstream(folder / "Config.ini", std::ios::binary) << text; }
    std::string readConfig() const {
        std::ifstream in(folder / "Config.ini", std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }
    bool configExists() const { return std::filesystem::exists(folder / "Config.ini"); }

    void start() { ASSERT_TRUE(dialog.onInitDialog()); }
    void press(int x, int y) { dialog.onLeftButtonDown(x, y); }
    void press(Square s) { press(s.x + 5, s.y + 5); }
    void drag(int x, int y) { dialog.onMouseMove(true, x, y); }
    void drag(Square s) { drag(s.x + 5, s.y + 5); }
    void hover(int x, int y) { dialog.onMouseMove(false, x, y); }
    void hover(Square s) { hover(s.x + 5, s.y + 5); }
    void release() { dialog.onLeftButtonUp(); }

    const HelpLine& line(int i) const { return dialog.scene().help.lines[i]; }

    // A fresh, empty folder per test, made before the dialog takes its prefix.
    static std::filesystem::path freshFolder() {
        auto path = setup::test::scratchPath(
            "orv-session-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
        return path;
    }

    std::filesystem::path folder = freshFolder();
    std::string prefix = folder.string() + "/";
    SkinPlatform platform;
    ScriptedDisplay display;
    RecordedWindow window;
    FakeLauncher launcher;
    SetupDialog dialog{SetupServices{platform, window, display, launcher}, prefix};
};

using SessionTest = SessionFixture<SessionSkinPlatform>;

}  // namespace setup::test

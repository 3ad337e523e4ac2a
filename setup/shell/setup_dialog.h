#pragma once
// The setup window's logic, one handler per window message: start-up, the
// timer, the mouse, the ways of closing and the teardown.

#include <memory>
#include <string>

#include "setup/display/display_lists.h"
#include "setup/settings/setup_settings.h"
#include "setup/shell/setup_window.h"
#include "setup/skin/help_texts.h"
#include "setup/skin/mode_source.h"
#include "setup/skin/scene.h"
#include "setup/system/platform.h"

namespace setup {

inline constexpr const char* kSetupWindowTitle = "OrVanE SeTup";
inline constexpr int kAnimationTimerId = 1;
inline constexpr int kAnimationPeriodMs = 10;

// What the setup window works with.
struct SetupServices {
    Platform& platform;
    SetupWindow& window;
    DisplayDevices& display;
    GameLauncher& launcher;
};

class SetupDialog {
public:
    SetupDialog(SetupServices services, std::string settingsPrefix);
    SetupDialog(const SetupDialog&) = delete;
    SetupDialog& operator=(const SetupDialog&) = delete;

    // The start-up sequence, once the window exists; gives true.
    bool onInitDialog();
    // Composes the whole frame into scene().buffer, which the caller presents;
    // false while there is no scene yet (a repaint during start-up).
    bool onEraseBackground();
    void onTimer();
    void onLeftButtonDown(int x, int y);
    void onMouseMove(bool leftButtonHeld, int x, int y);
    void onLeftButtonUp() { dragAllowed_ = true; }
    // Enter and Escape (or the close command) end the run as the quit control does.
    void onOk() { services_.window.endModal(1); }
    void onCancel() { services_.window.endModal(2); }
    // The teardown: timer first, everything freed, Config.ini saved last.
    void onDestroy();

    // Saves, runs the game, reads the settings back and shows them.
    void launchGame();

    const Scene& scene() const { return *scene_; }
    Scene& scene() { return *scene_; }
    const SetupSettings& settings() const { return settings_; }
    const DisplayLists& displayLists() const { return lists_; }
    bool dragAllowed() const { return dragAllowed_; }

private:
    // The resolution knob's view of the mode list.
    class ModeListSource : public ModeSource {
    public:
        explicit ModeListSource(const DisplayLists& lists) : lists_(lists) {}
        int modeCount() const override { return lists_.modeCount(); }
        int modeIndexOf(int width, int height) const override { return lists_.modeIndexOf(width, height); }

    private:
        const DisplayLists& lists_;
    };

    void pressQualityToggle(ControlId id);
    void stepAdapter(int direction);
    void turnKnob(Knob& knob, int x, int y, float alpha);
    void showKnobValue(Knob& knob, float alpha);
    void showResolution(float alpha);
    void hover(ControlId id);
    void showHoverText(ControlId id);
    int showSection(ControlId id, float alpha);
    void layout(const std::string& text, int line, float alpha);

    SetupServices services_;
    std::string prefix_;
    HelpTexts helpTexts_;
    SetupSettings settings_;
    std::unique_ptr<Scene> scene_;
    DisplayLists lists_;
    ModeListSource modeSource_{lists_};
    bool dragAllowed_ = true;
};

}  // namespace setup

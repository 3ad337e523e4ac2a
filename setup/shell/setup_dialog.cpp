#include "setup/shell/setup_dialog.h"

#include "setup/settings/settings_file.h"

namespace setup {

SetupDialog::SetupDialog(SetupServices services, std::string settingsPrefix)
    : services_(services), prefix_(std::move(settingsPrefix)), lists_(services.display) {}

bool SetupDialog::onInitDialog() {
    SetupWindow& window = services_.window;
    Platform& platform = services_.platform;
    window.setIcons();
    loadHelpTexts(helpTexts_, platform);
    loadSettings(settings_, prefix_, platform);
    scene_ = std::make_unique<Scene>(platform);
    createControls(scene_->controls, scene_->bitmaps, platform, settings_);
    const int width = scene_->width;
    const int height = scene_->height;
    lists_.listAdapters();
    lists_.listModes();
    lists_.releaseDirectDraw();
    const DesktopSize desktop = window.desktopSize();
    window.setRegion(buildWindowRegion(scene_->hitMap));
    window.place(desktop.width / 2 - width / 2, desktop.height / 2 - height / 2, width, height);
    window.setTitle(kSetupWindowTitle);
    window.startTimer(kAnimationTimerId, kAnimationPeriodMs);
    // The particles of the scene were spawned before this seeding.
    scene_->random.seed(platform.processMilliseconds());
    syncControlsFromSettings(scene_->controls, settings_, modeSource_);
    return true;
}

bool SetupDialog::onEraseBackground() {
    if (!scene_) return false;
    composeScene(*scene_);
    return true;
}

void SetupDialog::onTimer() {
    tickParticles(*scene_);
    tickHelpLines(scene_->help, services_.platform.processMilliseconds());
    services_.window.invalidate();
}

// The timer goes first, so no tick can reach what is freed after it.
void SetupDialog::onDestroy() {
    services_.window.killTimer(kAnimationTimerId);
    scene_.reset();
    lists_.freeAdapterList();
    lists_.freeModeList();
    freeHelpTexts(helpTexts_);
    saveSettings(settings_, prefix_, services_.platform);
}

void SetupDialog::launchGame() {
    saveSettings(settings_, prefix_, services_.platform);
    services_.launcher.runGame(prefix_);
    loadSettings(settings_, prefix_, services_.platform);
    syncControlsFromSettings(scene_->controls, settings_, modeSource_);
}

}  // namespace setup

// Whole sessions of the setup window over the headless backend.
#include <gtest/gtest.h>

#include "setup/settings/config_reader.h"
#include "setup/settings/config_writer.h"
#include "tests/shell/session_fixture.h"

namespace setup::test {
namespace {

int positionOf(const SetupDialog& dialog, ControlId id) {
    for (const Knob& knob : dialog.scene().controls.knobs)
        if (knob.id == id) return knob.position;
    return -1;
}

bool toggleOn(SetupDialog& dialog, ControlId id) { return findToggle(dialog.scene().controls, id)->on; }

bool allAlphas(const HelpLine& line, float alpha) {
    for (float a : line.alpha)
        if (a != alpha) return false;
    return true;
}

SetupSettings parsed(const std::string& text) {
    SetupSettings settings;
    parseConfig(text, settings);
    return settings;
}

TEST_F(SessionTest, StartUpShapesPlacesNamesAndAnimatesTheWindow) {
    writeConfig(
        "[SOUND]\r\nGeneralVolume = 30\r\nSoundQuality = LOW\r\nSpeakerFlip = TRUE\r\n[VIDEOS]\r\nResolution = "
        "320x240\r\n");
    start();
    EXPECT_EQ(window.log, (std::vector<std::string>{"icons", "desktop", "region", "place", "title", "timer"}));
    EXPECT_EQ(window.placement, (RecordedWindow::Placement{1024 / 2 - 242, 768 / 2 - 240, 484, 480}));
    EXPECT_EQ(window.title, "OrVanE SeTup");
    EXPECT_EQ(window.runningTimer, 1);
    EXPECT_EQ(window.timerPeriod, 10);
    EXPECT_EQ(window.region, buildWindowRegion(dialog.scene().hitMap));
    ASSERT_FALSE(window.region.empty());
    EXPECT_EQ(window.region.front(), (RowRun{1, 1, 483}));

    // The modes are those of the adapter at index 0, and DirectDraw is let go.
    EXPECT_EQ(display.createdFor, std::optional<AdapterGuid>{kCardGuid});
    EXPECT_FALSE(display.held);
    EXPECT_EQ(dialog.displayLists().modeCount(), 4);

    // The controls show the file's values; 320x240 is mode 3 of 4.
    EXPECT_EQ(dialog.settings().generalVolume, 30);
    EXPECT_EQ(positionOf(dialog, ControlId::GeneralVolumeKnob), 30);
    EXPECT_EQ(positionOf(dialog, ControlId::ResolutionKnob), 75);
    EXPECT_TRUE(toggleOn(dialog, ControlId::QualityLowToggle));
    EXPECT_FALSE(toggleOn(dialog, ControlId::QualityMediumToggle));
    EXPECT_TRUE(toggleOn(dialog, ControlId::SpeakerFlipToggle));
    EXPECT_TRUE(dialog.dragAllowed());
}

// The particles are spawned with the generator as the process starts it; only
// then, once the window is shown, is it seeded with the process clock.
TEST_F(SessionTest, TheParticlesComeBeforeTheGeneratorIsSeededWithTheProcessClock) {
    platform.clockMs = 4321;
    start();
    ParticleStream expected;
    RandomGenerator unseeded;
    createParticles(expected, unseeded);
    for (int i = 0; i < kParticleCount; ++i) {
        const Particle& made = dialog.scene().particles.slots[i];
        EXPECT_EQ(made.decay, expected.slots[i].decay) << i;
        EXPECT_EQ(made.vx, expected.slots[i].vx) << i;
        EXPECT_EQ(made.y, expected.slots[i].y) << i;
        EXPECT_EQ(made.red, expected.slots[i].red) << i;
    }
    RandomGenerator seeded;
    seeded.seed(4321);
    EXPECT_EQ(dialog.scene().random.next(), seeded.next());
    EXPECT_EQ(dialog.scene().random.next(), seeded.next());
}

TEST_F(SessionTest, ARepaintBeforeTheSceneExistsComposesNothing) { EXPECT_FALSE(dialog.onEraseBackground()); }

TEST_F(SessionTest, ADesktopOfOddSizeCentresWithHalvesRoundedTowardZero) {
    window.desktop = {1023, 481};
    start();
    EXPECT_EQ(window.placement, (RecordedWindow::Placement{511 - 242, 240 - 240, 484, 480}));
}

TEST_F(SessionTest, EachTickAdvancesAndAsksForOneFrame) {
    start();
    hover(kQuitSquare);
    const float before = line(4).alpha[16];
    dialog.onTimer();
    dialog.onTimer();
    EXPECT_EQ(window.invalidations, 2);
    EXPECT_GT(line(4).alpha[16], before);
    EXPECT_TRUE(dialog.onEraseBackground());  // composes without touching the window
    EXPECT_EQ(window.invalidations, 2);
}

TEST_F(SessionTest, PressingTheGeneralKnobAtPositionFiftySetsFortyNineAndFadesItsTextIn) {
    start();
    ASSERT_EQ(dialog.scene().hitMap.at(kRampLeft + 50, kGeneralRow), 0x00FF32u);
    press(kRampLeft + 50, kGeneralRow);
    EXPECT_EQ(dialog.settings().generalVolume, 49);
    EXPECT_EQ(positionOf(dialog, ControlId::GeneralVolumeKnob), 50);
    EXPECT_EQ(line(4).text, "General Volume=");
    EXPECT_EQ(line(5).text, "      49 ");
    EXPECT_TRUE(line(4).fadingIn && line(5).fadingIn);
    EXPECT_TRUE(allAlphas(line(5), 0.0f));
    EXPECT_FALSE(dialog.dragAllowed());

    // Dragging over the same point shows both lines at full brightness at once.
    drag(kRampLeft + 50, kGeneralRow);
    EXPECT_TRUE(allAlphas(line(4), 1.0f));
    EXPECT_TRUE(allAlphas(line(5), 1.0f));
    drag(kRampLeft + 100, kGeneralRow);  // the top of the ramp
    EXPECT_EQ(dialog.settings().generalVolume, 99);
    EXPECT_EQ(line(5).text, "      99 ");
    release();
    EXPECT_TRUE(dialog.dragAllowed());
}

TEST_F(SessionTest, EachVolumeKnobTurnsItsOwnSetting) {
    start();
    const SetupSettings before = dialog.settings();
    press(kRampLeft + 11, kVoiceRow);
    press(kRampLeft + 21, kSfxRow);
    press(kRampLeft + 31, kCdRow);
    SetupSettings expected = before;
    expected.voiceVolume = 10;
    expected.sfxVolume = 20;
    expected.cdVolume = 30;
    EXPECT_EQ(dialog.settings(), expected);
    EXPECT_EQ(line(4).text, "  CD Volumes=");
}

TEST_F(SessionTest, TheRampPastAKnobsRangeIsBackground) {
    start();
    const SetupSettings before = dialog.settings();
    press(kRampLeft + 105, kGeneralRow);
    EXPECT_EQ(dialog.settings(), before);
    EXPECT_TRUE(dialog.dragAllowed());
    drag(kRampLeft + 105, kGeneralRow);
    EXPECT_EQ(window.moves, 1);
}

TEST_F(SessionTest, TheResolutionKnobPicksAModeFromTheList) {
    start();
    press(kRampLeft + 50, kResolutionRow);  // 50 x 4 = 200, a multiple of 100: index 1
    EXPECT_EQ(dialog.settings().resolutionWidth, 800);
    EXPECT_EQ(dialog.settings().resolutionHeight, 600);
    EXPECT_EQ(line(3).text, "  Choose Your");
    EXPECT_EQ(line(5).text, "    800x600");
    EXPECT_EQ(dialog.displayLists().currentModeIndex(), 1);
    drag(kRampLeft + 100, kResolutionRow);
    EXPECT_EQ(dialog.settings().resolutionWidth, 320);
    EXPECT_TRUE(allAlphas(line(5), 1.0f));
    drag(kRampLeft, kResolutionRow);
    EXPECT_EQ(dialog.settings().resolutionWidth, 1024);
}

TEST_F(SessionTest, WithNoModeTheResolutionKnobOnlyShowsItsText) {
    display.modesByAdapter = {{kCardGuid, {{640, 480, 32}}}};
    start();
    const SetupSettings before = dialog.settings();
    const int position = positionOf(dialog, ControlId::ResolutionKnob);
    press(kRampLeft + 80, kResolutionRow);
    drag(kRampLeft + 90, kResolutionRow);
    EXPECT_EQ(dialog.settings(), before);
    EXPECT_EQ(positionOf(dialog, ControlId::ResolutionKnob), position);
    EXPECT_EQ(line(3).text, "  Choose Your");
    EXPECT_EQ(line(4).text, "   Resolution");
    EXPECT_EQ(line(5).text, "");
    EXPECT_FALSE(dialog.dragAllowed());
}

TEST_F(SessionTest, AdapterStepsClampAtBothEndsWithoutListingAgain) {
    start();
    ASSERT_EQ(display.modeListings, 1);
    press(kPreviousSquare);  // already at index 0
    EXPECT_EQ(dialog.settings().device, "card2");
    EXPECT_EQ(dialog.displayLists().currentAdapterIndex(), 0);
    EXPECT_EQ(display.modeListings, 1);
    EXPECT_EQ(line(2).text, "  Choose your");
    EXPECT_EQ(line(5).text, "    Card Two");
    EXPECT_FALSE(dialog.dragAllowed());

    press(kNextSquare);
    EXPECT_EQ(dialog.settings().device, "display");
    EXPECT_EQ(display.modeListings, 2);
    EXPECT_EQ(display.createdFor, std::optional<AdapterGuid>{std::nullopt});
    EXPECT_FALSE(display.held);
    EXPECT_EQ(dialog.displayLists().modeCount(), 1);
    // Neither the knob nor the resolution follow the new list.
    EXPECT_EQ(dialog.settings().resolutionWidth, 640);
    EXPECT_EQ(positionOf(dialog, ControlId::ResolutionKnob), 50);

    press(kNextSquare);  // already the last
    EXPECT_EQ(dialog.settings().device, "display");
    EXPECT_EQ(display.modeListings, 2);
    EXPECT_EQ(line(5).text, "Primary Display");
    EXPECT_EQ(line(6).text, "     Driver");
}

TEST_F(SessionTest, QualityTogglesFormARadioGroupAndTheSpeakerFlips) {
    start();  // defaults: medium
    press(kMediumSquare);
    EXPECT_EQ(dialog.settings().soundQuality, SoundQuality::Medium);
    EXPECT_TRUE(toggleOn(dialog, ControlId::QualityMediumToggle));
    press(kHighSquare);
    EXPECT_EQ(dialog.settings().soundQuality, SoundQuality::High);
    EXPECT_TRUE(toggleOn(dialog, ControlId::QualityHighToggle));
    EXPECT_FALSE(toggleOn(dialog, ControlId::QualityMediumToggle));
    EXPECT_FALSE(toggleOn(dialog, ControlId::QualityLowToggle));
    press(kLowSquare);
    EXPECT_EQ(dialog.settings().soundQuality, SoundQuality::Low);

    press(kSpeakerSquare);
    EXPECT_EQ(dialog.settings().speakerFlip, 1);
    press(kSpeakerSquare);
    EXPECT_EQ(dialog.settings().speakerFlip, 0);
    EXPECT_TRUE(dialog.dragAllowed());  // buttons and toggles leave dragging allowed
}

TEST_F(SessionTest, OnlyThePlainBackgroundMovesTheWindowAndOnlyWhileAllowed) {
    start();
    press(kBackground);
    drag(kBackground);
    EXPECT_EQ(window.moves, 1);
    release();

    press(kRampLeft + 20, kGeneralRow);
    drag(kBackground);
    EXPECT_EQ(window.moves, 1);
    release();
    press(kNextSquare);
    drag(kBackground);
    EXPECT_EQ(window.moves, 1);
    release();

    press(kSpeakerSquare);  // a toggle leaves dragging allowed
    drag(kBackground);
    EXPECT_EQ(window.moves, 2);
    drag(kOutside.x, kOutside.y);
    EXPECT_EQ(window.moves, 2);
}

TEST_F(SessionTest, HoverShowsTextOncePerEntryAndFadesOnTheBackground) {
    start();
    hover(kRampLeft + 5, kSfxRow);
    EXPECT_EQ(line(4).text, "  SFX volumes=");
    EXPECT_EQ(line(5).text, "      70 ");
    for (int i = 0; i < 5; ++i) dialog.onTimer();
    const float faded = line(4).alpha[0];
    hover(kRampLeft + 60, kSfxRow);  // still the same knob: no new layout
    EXPECT_EQ(line(4).alpha[0], faded);
    EXPECT_GT(faded, 0.0f);
    EXPECT_EQ(dialog.settings().sfxVolume, 70);  // hovering sets nothing

    hover(kQuitSquare);  // straight onto another control: replaced at once
    EXPECT_EQ(line(4).text, "  Quit Program");
    EXPECT_EQ(line(4).alpha[0], 0.0f);
    EXPECT_TRUE(line(5).fadingOut);  // the value line of the knob fades out
    EXPECT_FALSE(findKnob(dialog.scene().controls, ControlId::SfxVolumeKnob)->hovered);
    EXPECT_TRUE(findPushButton(dialog.scene().controls, ControlId::QuitButton)->hovered);

    hover(kBackground);
    EXPECT_TRUE(line(4).fadingOut);
    EXPECT_FALSE(findPushButton(dialog.scene().controls, ControlId::QuitButton)->hovered);
    hover(kQuitSquare);  // entering again shows it again
    EXPECT_EQ(line(4).text, "  Quit Program");
    EXPECT_FALSE(line(4).fadingOut);
    hover(kOutside.x, kOutside.y);
    EXPECT_TRUE(line(4).fadingOut);
}

TEST_F(SessionTest, HoverValueLinesShowTheSettings) {
    start();
    hover(kRampLeft, kResolutionRow);
    EXPECT_EQ(line(5).text, "    640x480 ");
    hover(kNextSquare);
    EXPECT_EQ(line(5).text, "Primary Display");  // the device named "display"
    hover(kPreviousSquare);                      // the same help, but another control: laid out again
    EXPECT_EQ(line(2).alpha[0], 0.0f);
    hover(kHighSquare);
    EXPECT_EQ(line(3).text, "   Set Sound");
    EXPECT_EQ(line(4).text, " Quality to High");
    EXPECT_TRUE(line(5).fadingOut);  // a toggle has no value line
}

TEST_F(SessionTest, WithTheButtonHeldNothingLightsUp) {
    start();
    press(kBackground);
    drag(kHighSquare);
    drag(kQuitSquare);
    EXPECT_FALSE(findToggle(dialog.scene().controls, ControlId::QualityHighToggle)->hovered);
    EXPECT_FALSE(findPushButton(dialog.scene().controls, ControlId::QuitButton)->hovered);
    EXPECT_EQ(line(4).text, "");
}

TEST_F(SessionTest, LaunchSavesRunsTheGameThenShowsWhatItLeft) {
    writeConfig("[SOUND]\r\nGeneralVolume = 30\r\n");
    start();
    press(kRampLeft + 41, kCdRow);
    std::string seenByGame;
    launcher.game = [&](const std::string&) {
        seenByGame = readConfig();
        writeConfig("[SOUND]\r\nGeneralVolume = 10\r\nSoundQuality = HIGH\r\n");
    };
    press(kLaunchSquare);
    EXPECT_EQ(launcher.workingDirectories, std::vector<std::string>{prefix});
    EXPECT_EQ(parsed(seenByGame).cdVolume, 40);
    EXPECT_EQ(parsed(seenByGame).generalVolume, 30);
    EXPECT_EQ(dialog.settings().generalVolume, 10);
    EXPECT_EQ(dialog.settings().cdVolume, 70);  // the game's file has none: the default
    EXPECT_EQ(positionOf(dialog, ControlId::GeneralVolumeKnob), 10);
    EXPECT_TRUE(toggleOn(dialog, ControlId::QualityHighToggle));
    EXPECT_FALSE(toggleOn(dialog, ControlId::QualityMediumToggle));
}

TEST_F(SessionTest, LaunchWithoutAGameStillSavesAndReloads) {
    start();  // no Config.ini: defaults
    press(kRampLeft + 21, kGeneralRow);
    press(kLaunchSquare);
    ASSERT_TRUE(configExists());
    EXPECT_EQ(readConfig(), setup::writeConfig(dialog.settings()));
    EXPECT_EQ(dialog.settings().generalVolume, 20);
    EXPECT_EQ(window.endResult, std::nullopt);
}

TEST_F(SessionTest, EveryWayOfClosingSavesTheSameFile) {
    const std::string original = "; a comment that the fixed layout drops\r\n[SOUND]\r\nGeneralVolume = 30\r\n";
    std::vector<std::string> saved;
    for (int way = 0; way < 4; ++way) {
        writeConfig(original);
        RecordedWindow closingWindow;
        SetupDialog session{SetupServices{platform, closingWindow, display, launcher}, prefix};
        ASSERT_TRUE(session.onInitDialog());
        if (way == 0) session.onLeftButtonDown(kQuitSquare.x + 5, kQuitSquare.y + 5);
        if (way == 1) session.onOk();
        if (way == 2) session.onCancel();
        if (way == 3) session.onCancel();  // the close command arrives as a cancel
        ASSERT_TRUE(closingWindow.endResult.has_value()) << way;
        EXPECT_EQ(readConfig(), original) << "nothing is written before the window goes";
        session.onDestroy();
        EXPECT_EQ(closingWindow.log.back(), "kill timer");
        EXPECT_FALSE(closingWindow.runningTimer.has_value());
        saved.push_back(readConfig());
    }
    EXPECT_EQ(saved[0], setup::writeConfig(parsed(original)));
    for (const std::string& file : saved) EXPECT_EQ(file, saved[0]);
}

TEST_F(SessionTest, ChangesReachTheFileOnlyOnClosing) {
    start();
    press(kRampLeft + 61, kVoiceRow);
    press(kSpeakerSquare);
    EXPECT_FALSE(configExists());
    dialog.onDestroy();
    SetupSettings expected;
    applyDefaults(expected);
    expected.voiceVolume = 60;
    expected.speakerFlip = 1;
    EXPECT_EQ(readConfig(), setup::writeConfig(expected));
}

TEST_F(SessionTest, ADisplayFailureAtStartUpStopsWithoutSaving) {
    display.failingStep = ScriptedDisplay::Step::CooperativeLevel;
    EXPECT_THROW(dialog.onInitDialog(), DisplayStop);
    EXPECT_EQ(display.debugOutput, std::vector<std::string>{"Couldn't set cooperative level.\n"});
    EXPECT_FALSE(configExists());
    EXPECT_FALSE(window.runningTimer.has_value());
}

TEST_F(SessionTest, AnOverlongConfigStopsBeforeTheWindowIsShown) {
    writeConfig(std::string(5001, ';'));
    EXPECT_THROW(dialog.onInitDialog(), FatalStop);
    EXPECT_EQ(window.log, std::vector<std::string>{"icons"});
    EXPECT_EQ(readConfig(), std::string(5001, ';'));
}

}  // namespace
}  // namespace setup::test

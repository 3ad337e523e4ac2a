#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "setup/skin/controls.h"
#include "tests/skin/synthetic_skin.h"

namespace setup {
namespace {

struct ModeSizes : ModeSource {
    std::vector<std::pair<int, int>> sizes;
    int modeCount() const override { return static_cast<int>(sizes.size()); }
    int modeIndexOf(int w, int h) const override {
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            if (sizes[i] == std::pair{w, h}) return static_cast<int>(i);
        }
        return 0;
    }
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        applyDefaults(settings);
        hitMap = loadPixels(platform, 146);
    }
    void create() { createControls(controls, cache, platform, settings); }

    test::SyntheticSkinPlatform platform;
    SetupSettings settings;
    BitmapCache cache;
    Controls controls;
    Surface hitMap;
};

TEST(KnobArithmetic, ValuesComeFromTheFloatHundredth) {
    Knob knob{ControlId::GeneralVolumeKnob, 0, 0, 0x00FF00, 0x00FF64};
    setKnobFromColour(knob, 0x00FF32);
    EXPECT_EQ(knob.position, 50);
    EXPECT_EQ(knobValue(knob, 100), 49);
    knob.position = 0;
    EXPECT_EQ(knobValue(knob, 100), 0);
    knob.position = 1;
    EXPECT_EQ(knobValue(knob, 100), 0);
    knob.position = 25;
    EXPECT_EQ(knobValue(knob, 8), 1);  // 200 is a multiple of 100
    knob.position = 24;
    EXPECT_EQ(knobValue(knob, 8), 1);
    setKnobFromColour(knob, 0x00FF64);  // the ramp's top is not clamped
    EXPECT_EQ(knob.position, 100);
    EXPECT_EQ(knobValue(knob, 8), 7);
}

TEST(KnobArithmetic, SettingFromAValueClampsToTheFrames) {
    Knob knob;
    setKnobFromValue(knob, 100, 100);
    EXPECT_EQ(knob.position, 99);
    setKnobFromValue(knob, -3, 100);
    EXPECT_EQ(knob.position, 0);
    setKnobFromValue(knob, 3, 8);
    EXPECT_EQ(knob.position, 37);
    setKnobFromValue(knob, 5, 0);
    EXPECT_EQ(knob.position, 0);
    setKnobFromValue(knob, 2147483647, 1);
    EXPECT_EQ(knob.position, 99);
}

TEST_F(ControlsTest, CreationBuildsHeadFirstListsWithInitialStates) {
    settings.soundQuality = SoundQuality::Medium;
    settings.speakerFlip = 1;
    settings.sfxVolume = 100;
    settings.cdVolume = 0;
    settings.generalVolume = 50;
    create();
    auto ids = [](const auto& list) {
        std::vector<ControlId> out;
        for (const auto& r : list) out.push_back(r.id);
        return out;
    };
    using enum ControlId;
    EXPECT_EQ(ids(controls.pushButtons),
              (std::vector{AdapterPreviousButton, AdapterNextButton, LaunchButton, QuitButton}));
    EXPECT_EQ(ids(controls.toggles),
              (std::vector{SpeakerFlipToggle, QualityHighToggle, QualityMediumToggle, QualityLowToggle}));
    EXPECT_EQ(ids(controls.knobs),
              (std::vector{CdVolumeKnob, SfxVolumeKnob, VoiceVolumeKnob, GeneralVolumeKnob, ResolutionKnob}));
    EXPECT_TRUE(findToggle(controls, QualityMediumToggle)->on);
    EXPECT_FALSE(findToggle(controls, QualityLowToggle)->on);
    EXPECT_TRUE(findToggle(controls, SpeakerFlipToggle)->on);
    EXPECT_EQ(findKnob(controls, SfxVolumeKnob)->position, 99);
    EXPECT_EQ(findKnob(controls, CdVolumeKnob)->position, 0);
    EXPECT_EQ(findKnob(controls, GeneralVolumeKnob)->position, 50);
    EXPECT_EQ(findKnob(controls, ResolutionKnob)->frameWidth, 64);
    EXPECT_EQ(findKnob(controls, VoiceVolumeKnob)->strip->id, 187);
    EXPECT_EQ(findToggle(controls, QualityMediumToggle)->onBitmap->id, 170);
    EXPECT_EQ(findPushButton(controls, HitBackground), nullptr);
}

TEST_F(ControlsTest, CreationWithAnUnknownQualityLightsNoQualityToggle) {
    settings.soundQuality = static_cast<SoundQuality>(0);
    settings.speakerFlip = 0;
    create();
    for (const ToggleButton& toggle : controls.toggles) EXPECT_FALSE(toggle.on) << static_cast<int>(toggle.id);
}

TEST_F(ControlsTest, HitTestingFollowsTheMapsColoursAndItsKey) {
    create();
    using enum ControlId;
    EXPECT_EQ(hitTest(controls, hitMap, -1, 10), HitOutside);
    EXPECT_EQ(hitTest(controls, hitMap, 484, 10), HitOutside);
    EXPECT_EQ(hitTest(controls, hitMap, 10, 480), HitOutside);
    EXPECT_EQ(hitTest(controls, hitMap, 0, 200), HitOutside);  // key colour
    EXPECT_EQ(hitTest(controls, hitMap, 200, 200), HitBackground);
    EXPECT_EQ(hitTest(controls, hitMap, 110, 312), QuitButton);
    EXPECT_EQ(hitTest(controls, hitMap, 410, 280), AdapterPreviousButton);
    EXPECT_EQ(hitTest(controls, hitMap, 50, 190), QualityLowToggle);
    EXPECT_EQ(hitTest(controls, hitMap, 31 + 10, 48 + 1), GeneralVolumeKnob);  // ramp step 50
    EXPECT_EQ(hitTest(controls, hitMap, 31 + 21, 48 + 2), HitBackground);      // ramp step 101: dead face

    // A key pixel inside a control's rectangle is outside all the same.
    hitMap.at(110, 312) = kKeyColour;
    EXPECT_EQ(hitTest(controls, hitMap, 110, 312), HitOutside);
    // Push buttons are tried before knobs whose range also holds the colour.
    hitMap.at(200, 200) = 0xFFFF00;
    findKnob(controls, ResolutionKnob)->colourHigh = 0xFFFFFF;
    EXPECT_EQ(hitTest(controls, hitMap, 200, 200), QuitButton);
}

TEST_F(ControlsTest, DrawingShowsEachStateAndClampsKnobs) {
    create();
    Surface scene(484, 480);
    using enum ControlId;
    ToggleButton& low = *findToggle(controls, QualityLowToggle);
    Knob& general = *findKnob(controls, GeneralVolumeKnob);
    general.position = 50;  // frame 6, not 7
    const Surface& strip = general.strip->image;
    auto drawnAt = [&](int x, int y) {
        scene.pixels.assign(scene.pixels.size(), 0);
        drawControls(controls, scene);
        return scene.at(x, y);
    };
    EXPECT_EQ(drawnAt(31, 48), strip.at(6 * 40, 0));
    general.position = 100;
    EXPECT_EQ(drawnAt(31, 48), strip.at(13 * 40, 0));
    EXPECT_EQ(general.position, 99);

    const std::pair<bool, bool> states[] = {{false, false}, {false, true}, {true, false}, {true, true}};
    const int expected[] = {0, 162, 163, 164};
    for (int i = 0; i < 4; ++i) {
        low.hovered = states[i].first;
        low.on = states[i].second;
        const Pixel drawn = drawnAt(48, 186);
        if (expected[i] == 0) {
            EXPECT_EQ(drawn, 0u);
        } else {
            EXPECT_EQ(drawn, platform.bitmaps[expected[i]].at(0, 0)) << i;
        }
    }
    EXPECT_EQ(drawnAt(108, 310), 0u);
    findPushButton(controls, QuitButton)->hovered = true;
    EXPECT_EQ(drawnAt(108, 310), platform.bitmaps[138].at(0, 0));
    clearHover(controls);
    EXPECT_FALSE(findPushButton(controls, QuitButton)->hovered);
    EXPECT_FALSE(low.hovered);
}

TEST_F(ControlsTest, SyncPlacesTogglesAndKnobsFromTheSettings) {
    create();
    using enum ControlId;
    findKnob(controls, CdVolumeKnob)->hovered = true;
    ModeSizes modes;
    modes.sizes = {{640, 480}, {800, 600}, {1024, 768}, {320, 200}, {512, 384}, {1152, 864}, {1280, 960}, {1600, 1200}};
    settings.resolutionWidth = 1024;
    settings.resolutionHeight = 768;
    settings.soundQuality = SoundQuality::High;
    settings.speakerFlip = 0;
    settings.cdVolume = 30;
    syncControlsFromSettings(controls, settings, modes);
    EXPECT_EQ(findKnob(controls, ResolutionKnob)->position, 25);
    EXPECT_TRUE(findToggle(controls, QualityHighToggle)->on);
    EXPECT_FALSE(findToggle(controls, SpeakerFlipToggle)->on);
    EXPECT_EQ(findKnob(controls, CdVolumeKnob)->position, 30);
    EXPECT_TRUE(findKnob(controls, CdVolumeKnob)->hovered);

    settings.soundQuality = static_cast<SoundQuality>(7);  // unknown: the toggles stay
    settings.resolutionWidth = 999;                        // not listed: position 0
    syncControlsFromSettings(controls, settings, modes);
    EXPECT_TRUE(findToggle(controls, QualityHighToggle)->on);
    EXPECT_EQ(findKnob(controls, ResolutionKnob)->position, 0);
}

}  // namespace
}  // namespace setup

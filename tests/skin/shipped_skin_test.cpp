#include <gtest/gtest.h>

#include <set>

#include "setup/platform/headless/headless_platform.h"
#include "setup/skin/scene.h"
#include "tests/skin/synthetic_skin.h"

// The skin over the shipped resources, as the program loads them.
namespace setup {
namespace {

class ShippedSkin : public ::testing::Test {
protected:
    ShippedSkin() : scene(platform) {
        applyDefaults(settings);
        loadHelpTexts(texts, platform);
        createControls(scene.controls, scene.bitmaps, platform, settings);
    }
    HeadlessPlatform platform;
    Scene scene;
    SetupSettings settings;
    HelpTexts texts;
};

TEST_F(ShippedSkin, EveryControlIsFoundUnderItsOwnColoursAndFitsTheScene) {
    EXPECT_EQ(scene.width, 484);
    EXPECT_EQ(scene.height, 480);
    EXPECT_EQ(scene.font.width, 312);
    EXPECT_EQ(scene.font.height, 42);
    std::set<ControlId> found;
    for (int y = 0; y < scene.height; ++y) {
        for (int x = 0; x < scene.width; ++x) found.insert(hitTest(scene.controls, scene.hitMap, x, y));
    }
    EXPECT_EQ(found.size(), 15u);  // 13 controls, outside and background
    for (const Knob& knob : scene.controls.knobs) {
        EXPECT_EQ(knob.strip->image.width, knob.frameWidth * 14);
        EXPECT_LE(knob.x + knob.frameWidth, scene.width);
        EXPECT_LE(knob.y + knob.strip->image.height, scene.height);
        // Every position of the ramp is on the knob's face.
        std::set<Pixel> ramp;
        for (Pixel p : scene.hitMap.pixels) {
            if (p >= knob.colourLow && p <= knob.colourHigh) ramp.insert(p);
        }
        EXPECT_EQ(ramp.size(), 101u) << static_cast<int>(knob.id);
    }
    // The shape: every row starts and ends outside it.
    for (int y = 0; y < scene.height; ++y) {
        ASSERT_EQ(scene.hitMap.at(0, y), kKeyColour);
        ASSERT_EQ(scene.hitMap.at(scene.width - 1, y), kKeyColour);
    }
}

TEST_F(ShippedSkin, TheEnglishTextsAreRead) {
    EXPECT_EQ(texts.find("[LAUNCH]")->lines, (std::vector<std::string>{"Launch\r", "The\r", "Orvane\r", "Show\r"}));
    EXPECT_EQ(texts.find("[SSLOW]")->lines, (std::vector<std::string>{"Set Sound Quality To Low"}));
}

TEST_F(ShippedSkin, AScriptedFrameIsPinned) {
    scene.random.seed(2024);
    findPushButton(scene.controls, ControlId::QuitButton)->hovered = true;
    findToggle(scene.controls, ControlId::QualityHighToggle)->hovered = true;
    setKnobFromColour(*findKnob(scene.controls, ControlId::GeneralVolumeKnob), 0x00FF32);
    const int line = showHelpSection(scene.help, texts, "[VGENERAL]", 0);
    layoutHelpText(scene.help, "49 ", line, 0);
    for (int tick = 0; tick < 50; ++tick) {
        tickParticles(scene);
        tickHelpLines(scene.help, 1000);
    }
    composeScene(scene);
    EXPECT_EQ(test::frameHash(scene.buffer), 0x7323c302ec7409f5ull);
}

}  // namespace
}  // namespace setup

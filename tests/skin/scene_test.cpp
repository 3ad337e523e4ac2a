#include <gtest/gtest.h>

#include "setup/skin/scene.h"
#include "tests/skin/synthetic_skin.h"

namespace setup {
namespace {

TEST(Scene, TakesItsSizeFromTheHitMapAndStartsEmpty) {
    test::SyntheticSkinPlatform platform;
    Scene scene(platform);
    EXPECT_EQ(scene.width, 484);
    EXPECT_EQ(scene.height, 480);
    EXPECT_EQ(scene.buffer.pixels.size(), 484u * 480u);
    EXPECT_EQ(scene.font.width, 312);
    EXPECT_TRUE(scene.bitmaps.empty());
    EXPECT_TRUE(scene.controls.knobs.empty());
    EXPECT_EQ(scene.particles.slots[199].x, 350.0f);
}

TEST(Scene, AMissingSceneBitmapIsFatal) {
    test::SyntheticSkinPlatform platform;
    platform.bitmaps.erase(144);
    EXPECT_THROW(Scene scene(platform), FatalStop);
}

TEST(Scene, AQuietFrameIsTheBackgroundWithLitTogglesKnobsAndParticles) {
    test::SyntheticSkinPlatform platform;
    Scene scene(platform);
    SetupSettings settings;
    applyDefaults(settings);
    settings.soundQuality = SoundQuality::Low;
    createControls(scene.controls, scene.bitmaps, platform, settings);
    for (Particle& p : scene.particles.slots) p.intensity = 0;  // adds nothing
    composeScene(scene);
    const Surface& background = platform.bitmaps[136];
    for (int x : {0, 200, 483}) EXPECT_EQ(scene.buffer.at(x, 5), background.at(x, 5));
    EXPECT_EQ(scene.buffer.at(48 + 3, 186 + 4), platform.bitmaps[162].at(3, 4));  // low quality lit
    EXPECT_EQ(scene.buffer.at(45 + 3, 146 + 4), background.at(45 + 3, 146 + 4));  // medium off
    EXPECT_EQ(scene.buffer.at(223, 276), platform.bitmaps[188].at(0, 0));         // resolution frame 0
    EXPECT_EQ(scene.buffer.at(108, 310), background.at(108, 310));                // quit not hovered
}

TEST(Scene, ParticlesAddOntoTheControlsAndTheTextOntoTheParticles) {
    test::SyntheticSkinPlatform platform;
    Scene scene(platform);
    SetupSettings settings;
    applyDefaults(settings);
    createControls(scene.controls, scene.bitmaps, platform, settings);
    findKnob(scene.controls, ControlId::GeneralVolumeKnob)->position = 0;
    for (Particle& p : scene.particles.slots) p.intensity = 0;
    scene.particles.slots[0] = Particle{0, 0, 36, 53, 1, 0, 150, 100, 200};    // on the general knob
    scene.particles.slots[1] = Particle{0, 0, 156, 102, 1, 0, 255, 255, 255};  // under a black pixel of "A"
    ASSERT_EQ(platform.bitmaps[144].at(1, 2), 0u);
    layoutHelpText(scene.help, "ABCDEFGHIJKLMNOPQ", 0, 1.0f);
    composeScene(scene);
    EXPECT_EQ(scene.buffer.at(36, 53), saturatingAdd(platform.bitmaps[180].at(5, 5), 0x9664C8));
    // The white particle saturates the pixel; the glyph, added after it at full
    // brightness, clears its lowest green and red bits.
    EXPECT_EQ(scene.buffer.at(156, 102), 0xFEFEFFu);
}

// A whole scripted frame, pinned so that any change of what is drawn, or any
// difference between the builds, shows.
TEST(Scene, AScriptedFrameIsTheSameEveryTimeAndInEveryBuild) {
    test::SyntheticSkinPlatform platform;
    Scene scene(platform);
    HelpTexts texts;
    loadHelpTexts(texts, platform);
    SetupSettings settings;
    applyDefaults(settings);
    createControls(scene.controls, scene.bitmaps, platform, settings);
    scene.random.seed(4321);
    findPushButton(scene.controls, ControlId::LaunchButton)->hovered = true;
    findToggle(scene.controls, ControlId::SpeakerFlipToggle)->hovered = true;
    setKnobFromColour(*findKnob(scene.controls, ControlId::SfxVolumeKnob), 0x02FF32);
    const int line = showHelpSection(scene.help, texts, "[ADAPTA]", 0);
    layoutHelpText(scene.help, "Card 2 (PCI)\r", line, 0);
    layoutHelpText(scene.help, "1024x768 ", 9, 1.0f);
    for (int tick = 0; tick < 40; ++tick) {
        tickParticles(scene);
        tickHelpLines(scene.help, 500);
    }
    composeScene(scene);
    EXPECT_EQ(test::frameHash(scene.buffer), 0x07602d80f35f9f20ull);
}

}  // namespace
}  // namespace setup

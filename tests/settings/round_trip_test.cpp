// Writing then reading gives the record back, for every record the format can
// carry: booleans and detail levels 0 or 1, plain ASCII codes of at most 8
// characters, gammas with two decimals.

#include <gtest/gtest.h>

#include "tests/settings/print_settings.h"

#include <random>

#include "setup/settings/config_reader.h"
#include "setup/settings/config_writer.h"

namespace setup {
namespace {

class RandomRecord {
public:
    explicit RandomRecord(unsigned seed) : rng_(seed) {}

    SetupSettings make() {
        SetupSettings s;
        applyDefaults(s);
        for (std::int32_t* b : {&s.speakerFlip, &s.eax, &s.slowMotion, &s.mirrors, &s.floatingCameras, &s.gameTextes,
                                &s.videoSectionPlural, &s.shadowMap, &s.lighting, &s.textureDetails, &s.mouseInv})
            *b = pick(0, 1);
        for (std::int32_t* n : {&s.generalVolume,    &s.sfxVolume,       &s.cdVolume,
                                &s.voiceVolume,      &s.resolutionWidth, &s.resolutionHeight,
                                &s.mouseLeft,        &s.mouseRight,      &s.mouseCenter,
                                &s.mouseSensibility, &s.forwardMove,     &s.backwardMove,
                                &s.leftTurn,         &s.rightTurn,       &s.strafe,
                                &s.leftStrafe,       &s.rightStrafe,     &s.run,
                                &s.action,           &s.deguen,          &s.lever,
                                &s.cameraEx,         &s.headUp,          &s.headDown})
            *n = static_cast<std::int32_t>(rng_());
        s.soundQuality = static_cast<SoundQuality>(pick(1, 3));
        const std::int32_t placements[] = {0, 1, 3, 4};
        s.speakerPlacement = static_cast<SpeakerPlacement>(placements[pick(0, 3)]);
        s.soundOutput = static_cast<SoundOutput>(pick(0, 2));
        for (float& g : s.gamma) g = static_cast<float>(pick(-999, 999)) / 100.0f;
        s.device = text(1, 40, 33) + text(0, 20, 32);  // the reader skips spaces before a value, not inside
        s.language = text(1, 20, 33);                  // one word
        s.parentalCode = text(0, 8, 32);
        s.parentalLevel = pick(0, 255);
        return s;
    }

private:
    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    std::string text(int minLength, int maxLength, int firstChar) {
        std::string t(static_cast<std::size_t>(pick(minLength, maxLength)), ' ');
        for (char& c : t) c = static_cast<char>(pick(firstChar, 126));
        return t;
    }
    std::mt19937 rng_;
};

TEST(RoundTrip, ManyRandomRecords) {
    RandomRecord random(20261207);
    for (int i = 0; i < 2000; ++i) {
        SetupSettings written = random.make();
        SetupSettings read;
        parseConfig(writeConfig(written), read);
        ASSERT_EQ(read, written);
    }
}

TEST(RoundTrip, GammaIsRoundedToTwoDecimals) {
    SetupSettings s;
    applyDefaults(s);
    s.gamma = {0.333f, 1.006f, 2.0f};
    SetupSettings read;
    parseConfig(writeConfig(s), read);
    EXPECT_EQ(read.gamma, (std::array<float, 3>{0.33f, 1.01f, 2.0f}));
}

}  // namespace
}  // namespace setup

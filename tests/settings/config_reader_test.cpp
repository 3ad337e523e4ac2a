// What the reader makes of the texts it meets: key matching, value forms and
// the places where its loose grammar decides.

#include <gtest/gtest.h>

#include "tests/settings/default_settings.h"
#include "tests/settings/print_settings.h"

#include <string>

#include "setup/settings/config_reader.h"

namespace setup {
namespace {

SetupSettings read(std::string_view text) {
    SetupSettings s;
    parseConfig(text, s);
    return s;
}

TEST(ReaderLines, EmptyFileAndUnknownLinesGiveDefaults) {
    EXPECT_EQ(read(""), defaults());
    EXPECT_EQ(read("[SOUND]\r\n\r\n   \t\r\nnothing here\r\n[VIDEO]\r\n"), defaults());
}

TEST(ReaderLines, OneLineSetsOnlyItsField) {
    SetupSettings s;
    parseConfig("SFXVolume = 12\r\nLanguage = Fr\r\n", s);
    // A second read starts from the defaults again.
    parseConfig("GeneralVolume = 55\r\n", s);
    SetupSettings expected = defaults();
    expected.generalVolume = 55;
    EXPECT_EQ(s, expected);
}

TEST(ReaderLines, BlanksBeforeKeyAndNoSpacesAroundEquals) {
    EXPECT_EQ(read("  GeneralVolume=55").generalVolume, 55);
    EXPECT_EQ(read("\t \tGeneralVolume   =    55\r\n").generalVolume, 55);
}

TEST(ReaderLines, KeysArePrefixesWithoutRegardToCase) {
    EXPECT_EQ(read("speakerflip = true\r\n").speakerFlip, 1);
    EXPECT_EQ(read("GeneralVolumeX = 5\r\n").generalVolume, 5);
    EXPECT_EQ(read("generalvolume: whatever = 7\r\n").generalVolume, 7);
}

TEST(ReaderLines, CommentsNeedOneSlash) {
    EXPECT_EQ(read("//GeneralVolume = 5\r\n").generalVolume, 80);
    EXPECT_EQ(read("/GeneralVolume = 5\r\n").generalVolume, 80);
    EXPECT_EQ(read("   / GeneralVolume = 5\r\n").generalVolume, 80);
}

TEST(ReaderLines, StrafeKeysAreSpelledStarfe) {
    SetupSettings s = read("Strafe = 5\r\nLeftStrafe = 5\r\nRightStrafe = 5\r\n");
    EXPECT_EQ(s, defaults());
    s = read("Starfe = 5\r\nLeftStarfe = 6\r\nRightStarfe = 7\r\n");
    EXPECT_EQ(s.strafe, 5);
    EXPECT_EQ(s.leftStrafe, 6);
    EXPECT_EQ(s.rightStrafe, 7);
}

TEST(ReaderLines, LaterLineWins) { EXPECT_EQ(read("CDVolume = 1\r\n[X]\r\nCDVolume = 2\r\n").cdVolume, 2); }

TEST(ReaderLines, LastLineWithoutLineFeedAndZeroBytesEndLines) {
    EXPECT_EQ(read("EAX = TRUE\r\nHeadDown = 42").headDown, 42);
    using namespace std::string_literals;
    SetupSettings s = read("CDVolume = 3\0VoiceVolume = 4\nMouseLeft = 9"s);
    EXPECT_EQ(s.cdVolume, 3);
    EXPECT_EQ(s.voiceVolume, 4);
    EXPECT_EQ(s.mouseLeft, 9);
}

TEST(ReaderLines, VideosHeaderIsAKeyVideoIsNot) {
    EXPECT_EQ(read("[VIDEO]\r\n").videoSectionPlural, 0);
    EXPECT_EQ(read("   [VIDEOS]\r\n").videoSectionPlural, 1);
    EXPECT_EQ(read("[videos]").videoSectionPlural, 1);
}

// Chosen where the format leaves it open: a key without '=' on its line is
// skipped, and no value is ever taken from a following line.
TEST(ReaderLines, NoEqualsSignOrEmptyValueNeverReachesTheNextLine) {
    EXPECT_EQ(read("GeneralVolume 5\r\n= 9\r\n").generalVolume, 80);
    SetupSettings s = read(
        "GeneralVolume =   \r\n12\r\nResolution = \r\n800x600\r\nGamma =\r\n2.0\r\nLanguage = \r\nFr\r\n"
        "ParentalLock = \r\n1 - 2 - 3\r\nDevice =   \r\n");
    SetupSettings expected = defaults();
    expected.device = "";
    EXPECT_EQ(s, expected);
}

TEST(ReaderValues, BooleansAndDetailLevels) {
    EXPECT_EQ(read("Mirrors = TRUE!").mirrors, 1);
    EXPECT_EQ(read("MouseInv = true").mouseInv, 1);
    EXPECT_EQ(read("Mirrors = 1").mirrors, 0);
    EXPECT_EQ(read("Mirrors = YES").mirrors, 0);
    EXPECT_EQ(read("Mirrors = \"TRUE\"").mirrors, 0);
    // A tab behind '=' is part of the value: not "TRUE".
    EXPECT_EQ(read("SpeakerFlip =\tTRUE").speakerFlip, 0);
    EXPECT_EQ(read("Lighting = HIGHER").lighting, 1);
    EXPECT_EQ(read("Lighting = LOW").lighting, 0);
    EXPECT_EQ(read("ShadowMap = medium").shadowMap, 0);
    EXPECT_EQ(read("TextureDetails =").textureDetails, 0);
}

TEST(ReaderValues, WordListsMatchByPrefixOrKeepTheValue) {
    EXPECT_EQ(read("SoundQuality = HIGH").soundQuality, SoundQuality::High);
    EXPECT_EQ(read("SoundQuality = low").soundQuality, SoundQuality::Low);
    EXPECT_EQ(read("SoundQuality = Ultra").soundQuality, SoundQuality::Medium);
    EXPECT_EQ(read("SoundQuality = High\r\nSoundQuality = Ultra").soundQuality, SoundQuality::High);
    EXPECT_EQ(read("SpeakerPlacement = 2Speakers").speakerPlacement, SpeakerPlacement::TwoSpeakers);
    EXPECT_EQ(read("SpeakerPlacement = headphones").speakerPlacement, SpeakerPlacement::HeadPhones);
    EXPECT_EQ(read("SpeakerPlacement = 5SPEAKERS").speakerPlacement, SpeakerPlacement::FiveSpeakers);
    EXPECT_EQ(read("SoundOutput = DirectSoundX").soundOutput, SoundOutput::DirectSound);
    EXPECT_EQ(read("SoundOutput = waveout").soundOutput, SoundOutput::WaveOut);
}

TEST(ReaderValues, IntegersLikeScanningDecimal) {
    EXPECT_EQ(read("GeneralVolume =\t55").generalVolume, 55);  // the conversion skips the tab
    EXPECT_EQ(read("GeneralVolume = -7abc").generalVolume, -7);
    EXPECT_EQ(read("GeneralVolume = +9").generalVolume, 9);
    EXPECT_EQ(read("GeneralVolume = abc").generalVolume, 80);
    EXPECT_EQ(read("GeneralVolume = -").generalVolume, 80);
    EXPECT_EQ(read("ForwardMove = 16777325\r\n").forwardMove, 16777325);
    EXPECT_EQ(read("Action = -2147483648").action, INT32_MIN);
}

TEST(ReaderValues, Resolution) {
    SetupSettings s = read("Resolution = 800x600\r\n");
    EXPECT_EQ(s.resolutionWidth, 800);
    EXPECT_EQ(s.resolutionHeight, 600);
    s = read("Resolution = 800 x 600\r\n");
    EXPECT_EQ(s.resolutionWidth, 800);
    EXPECT_EQ(s.resolutionHeight, 480);
    s = read("Resolution = 1024X768\r\n");  // the pattern's x is lower case
    EXPECT_EQ(s.resolutionWidth, 1024);
    EXPECT_EQ(s.resolutionHeight, 480);
    s = read("Resolution = 1024x 768\r\n");  // a number skips white space
    EXPECT_EQ(s.resolutionHeight, 768);
}

TEST(ReaderValues, Gamma) {
    EXPECT_EQ(read("Gamma = 0.50x1.25x2.00").gamma, (std::array<float, 3>{0.5f, 1.25f, 2.0f}));
    EXPECT_EQ(read("Gamma = 0.5x\r\n").gamma, (std::array<float, 3>{0.5f, 1.0f, 1.0f}));
    EXPECT_EQ(read("Gamma = 2x3").gamma, (std::array<float, 3>{2.0f, 3.0f, 1.0f}));
    EXPECT_EQ(read("Gamma = .5x-1.5e1x7.").gamma, (std::array<float, 3>{0.5f, -15.0f, 7.0f}));
    EXPECT_EQ(read("Gamma = 1e x2").gamma, (std::array<float, 3>{1.0f, 1.0f, 1.0f}));
    EXPECT_EQ(read("Gamma = 0.1").gamma[0], 0.1f);  // rounded once to the nearest float
}

TEST(ReaderValues, DeviceKeepsInnerAndTrailingSpaces) {
    EXPECT_EQ(read("Device = Second Card  \r\nLanguage = Fr").device, "Second Card  ");
    EXPECT_EQ(read("Device =\tdisplay").device, "\tdisplay");
    EXPECT_EQ(read("Device = " + std::string(250, 'd')).device, std::string(199, 'd'));
}

TEST(ReaderValues, LanguageIsTheFirstWord) {
    EXPECT_EQ(read("Language = Fr Be\r\n").language, "Fr");
    EXPECT_EQ(read("Language =\tDe\r\n").language, "De");
    EXPECT_EQ(read("Language = " + std::string(300, 'x')).language, std::string(199, 'x'));
}

TEST(ReaderValues, ParentalLockNeedsThreeNumbers) {
    SetupSettings s = read("ParentalLock = -1634757717 - -168017921 - 134677904\r\n");
    EXPECT_EQ(s.parentalCode, "Unset");
    EXPECT_EQ(s.parentalLevel, 3);
    s = read("ParentalLock=-1634757717-   -168017921\t-134677904");
    EXPECT_EQ(s.parentalCode, "Unset");
    s = read("ParentalLock = 5 - 6");
    EXPECT_EQ(s.parentalCode, "Unset");
    EXPECT_EQ(s.parentalLevel, 3);
    // The level is always one byte, whatever number stands there.
    EXPECT_EQ(read("ParentalLock = 1 - 0 - 2").parentalLevel, 255);
    EXPECT_EQ(read("ParentalLock = 1 - -1 - 2").parentalLevel, 0);
}

}  // namespace
}  // namespace setup

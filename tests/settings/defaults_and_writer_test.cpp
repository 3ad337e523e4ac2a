// The record's defaults and the exact bytes the writer makes of them.

#include <gtest/gtest.h>

#include "setup/settings/config_writer.h"
#include "setup/settings/setup_settings.h"
#include "tests/settings/default_settings.h"

namespace setup {
namespace {

// The file every fresh installation gets, byte for byte.
const char* const kDefaultFile =
    "//\t\t\t+------------------------------------+\r\n"
    "//\t\t\t| Configuration File for Orvane|\r\n"
    "//\t\t\t+------------------------------------+\r\n"
    "\r\n"
    "[SOUND]\r\n"
    "SpeakerFlip = FALSE\r\n"
    "SpeakerPlacement = 2Speakers\r\n"
    "SoundQuality = MEDIUM\r\n"
    "GeneralVolume = 80\r\n"
    "SFXVolume = 70\r\n"
    "CDVolume = 70\r\n"
    "VoiceVolume = 70\r\n"
    "SoundOutput = Autodetect\r\n"
    "EAX = FALSE\r\n"
    "\r\n"
    "[VIDEO]\r\n"
    "Resolution = 640x480\r\n"
    "Device = display\r\n"
    "Gamma = 1.00x1.00x1.00\r\n"
    "\r\n"
    "[LANGUAGE]\r\n"
    "Language = Us\r\n"
    "\r\n"
    "[GAME]\r\n"
    "SlowMotion = TRUE\r\n"
    "Mirrors = TRUE\r\n"
    "FloatingCameras = TRUE\r\n"
    "GameTextes = TRUE\r\n"
    "ParentalLock = -1634757717 - -168017921 - 134677904\r\n"
    "\r\n"
    "[DETAILS]\r\n"
    "Lighting = HIGH\r\n"
    "ShadowMap = HIGH\r\n"
    "TextureDetails = HIGH\r\n"
    "\r\n"
    "[CONTROLS]\r\n"
    "MouseLeft = 0\r\n"
    "MouseRight = 1\r\n"
    "MouseCenter = 2\r\n"
    "MouseSensibility = 50\r\n"
    "MouseInv = FALSE\r\n"
    "ForwardMove = 16777325\r\n"
    "BackwardMove = 16777330\r\n"
    "LeftTurn = 16777327\r\n"
    "RightTurn = 16777328\r\n"
    "Starfe = 16777247\r\n"
    "LeftStarfe = 16777246\r\n"
    "RightStarfe = 16777260\r\n"
    "Run = 16777235\r\n"
    "Action = 29\r\n"
    "Deguen = 16777273\r\n"
    "Lever = 16777254\r\n"
    "CameraEx = 16777262\r\n"
    "HeadUp = 16777326\r\n"
    "HeadDown = 16777331\r\n"
    "\r\n";

TEST(Writer, DefaultsMakeTheFixedFileByteForByte) { EXPECT_EQ(writeConfig(defaults()), kDefaultFile); }

TEST(Writer, EveryLineEndsWithCarriageReturnLineFeed) {
    std::string file = writeConfig(defaults());
    int lines = 0;
    for (std::size_t i = 0; i < file.size(); ++i)
        if (file[i] == '\n') {
            ++lines;
            EXPECT_EQ(file[i - 1], '\r') << "line " << lines;
        }
    EXPECT_EQ(lines, 56);
}

TEST(Writer, EnumerationWordsAndLeftOutLines) {
    SetupSettings s = defaults();
    s.speakerPlacement = SpeakerPlacement::FiveSpeakers;
    s.soundQuality = SoundQuality::High;
    s.soundOutput = SoundOutput::WaveOut;
    std::string file = writeConfig(s);
    EXPECT_NE(file.find("\r\nSpeakerPlacement = 5Speakers\r\nSoundQuality = HIGH\r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\nSoundOutput = WaveOut\r\n"), std::string::npos);

    // A value with no word of its own: its line is left out, the rest stays.
    s.speakerPlacement = static_cast<SpeakerPlacement>(2);
    s.soundQuality = static_cast<SoundQuality>(0);
    s.soundOutput = static_cast<SoundOutput>(7);
    file = writeConfig(s);
    EXPECT_NE(file.find("\r\nSpeakerFlip = FALSE\r\nGeneralVolume = 80\r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\nVoiceVolume = 70\r\nEAX = FALSE\r\n"), std::string::npos);
    EXPECT_EQ(file.find("SpeakerPlacement"), std::string::npos);
    EXPECT_EQ(file.find("SoundOutput"), std::string::npos);
}

TEST(Writer, ValueForms) {
    SetupSettings s = defaults();
    s.lighting = 2;  // only exactly 1 is high
    s.shadowMap = 0;
    s.speakerFlip = 5;  // any non-zero is true
    s.gamma = {0.5f, 2.25f, -1.0f};
    s.videoSectionPlural = 1;
    s.device = "";
    s.generalVolume = -3;
    std::string file = writeConfig(s);
    EXPECT_NE(file.find("\r\nLighting = LOW\r\nShadowMap = LOW\r\nTextureDetails = HIGH\r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\nSpeakerFlip = TRUE\r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\nGamma = 0.50x2.25x-1.00\r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\n[VIDEOS]\r\nResolution = 640x480\r\nDevice = \r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\nGeneralVolume = -3\r\n"), std::string::npos);
}

// Two decimals from the exact binary value, identically on every runtime:
// 0.125 is a tie and rounds to even, 0.375 too; 1.005f lies below 1.005.
TEST(Writer, GammaRoundingIsTheSameOnEveryRuntime) {
    SetupSettings s = defaults();
    s.gamma = {0.125f, 0.375f, 1.005f};
    EXPECT_NE(writeConfig(s).find("Gamma = 0.12x0.38x1.00\r\n"), std::string::npos);
}

}  // namespace
}  // namespace setup

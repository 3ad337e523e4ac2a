#include "setup/settings/setup_settings.h"

namespace setup {

namespace {
// Key codes of the game's own numbering: most carry bit 24.
constexpr std::int32_t kExtendedKey = 1 << 24;
}  // namespace

void applyDefaults(SetupSettings& s) {
    s.speakerFlip = 0;
    s.generalVolume = 80;
    s.sfxVolume = 70;
    s.cdVolume = 70;
    s.voiceVolume = 70;
    s.soundQuality = SoundQuality::Medium;
    s.speakerPlacement = SpeakerPlacement::TwoSpeakers;
    s.soundOutput = SoundOutput::Autodetect;
    s.eax = 0;
    s.resolutionWidth = 640;
    s.resolutionHeight = 480;
    s.device = "display";
    s.gamma = {1.0f, 1.0f, 1.0f};
    s.language = "Us";
    s.slowMotion = 1;
    s.mirrors = 1;
    s.floatingCameras = 1;
    s.gameTextes = 1;
    s.parentalCode = "Unset";
    s.videoSectionPlural = 0;
    s.shadowMap = 1;
    s.lighting = 1;
    s.textureDetails = 1;
    s.parentalLevel = 3;
    s.mouseLeft = 0;
    s.mouseRight = 1;
    s.mouseCenter = 2;
    s.mouseInv = 0;
    s.mouseSensibility = 50;
    s.forwardMove = kExtendedKey + 109;
    s.backwardMove = kExtendedKey + 114;
    s.leftTurn = kExtendedKey + 111;
    s.rightTurn = kExtendedKey + 112;
    s.strafe = kExtendedKey + 31;
    s.leftStrafe = kExtendedKey + 30;
    s.rightStrafe = kExtendedKey + 44;
    s.run = kExtendedKey + 19;
    s.action = 29;
    s.deguen = kExtendedKey + 57;
    s.lever = kExtendedKey + 38;
    s.cameraEx = kExtendedKey + 46;
    s.headUp = kExtendedKey + 110;
    s.headDown = kExtendedKey + 115;
}

}  // namespace setup

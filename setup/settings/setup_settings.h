#pragma once
// The one record of every option of the game's Config.ini.

#include <array>
#include <cstdint>
#include <string>

namespace setup {

// Enumerations are 32-bit integers; a value read from a file may lie outside
// the listed members, and the writer then leaves its line out.
enum class SoundQuality : std::int32_t { Low = 1, Medium = 2, High = 3 };
enum class SpeakerPlacement : std::int32_t { TwoSpeakers = 0, HeadPhones = 1, FourSpeakers = 3, FiveSpeakers = 4 };
enum class SoundOutput : std::int32_t { Autodetect = 0, DirectSound = 1, WaveOut = 2 };

// Booleans are 32-bit integers holding 0 or 1, as the file format stores them.
struct SetupSettings {
    std::int32_t speakerFlip = 0;
    std::int32_t generalVolume = 0;
    std::int32_t sfxVolume = 0;
    std::int32_t cdVolume = 0;
    std::int32_t voiceVolume = 0;
    SoundQuality soundQuality{};
    SpeakerPlacement speakerPlacement{};
    SoundOutput soundOutput{};
    std::int32_t eax = 0;
    std::int32_t resolutionWidth = 0;
    std::int32_t resolutionHeight = 0;
    std::string device;
    std::array<float, 3> gamma{};
    std::string language;
    std::int32_t slowMotion = 0;
    std::int32_t mirrors = 0;
    std::int32_t floatingCameras = 0;
    std::int32_t gameTextes = 0;
    std::string parentalCode;
    std::int32_t videoSectionPlural = 0;
    std::int32_t shadowMap = 0;
    std::int32_t lighting = 0;
    std::int32_t textureDetails = 0;
    std::int32_t parentalLevel = 0;
    std::int32_t mouseLeft = 0;
    std::int32_t mouseRight = 0;
    std::int32_t mouseCenter = 0;
    std::int32_t mouseInv = 0;
    std::int32_t mouseSensibility = 0;
    std::int32_t forwardMove = 0;
    std::int32_t backwardMove = 0;
    std::int32_t leftTurn = 0;
    std::int32_t rightTurn = 0;
    std::int32_t strafe = 0;
    std::int32_t leftStrafe = 0;
    std::int32_t rightStrafe = 0;
    std::int32_t run = 0;
    std::int32_t action = 0;
    std::int32_t deguen = 0;
    std::int32_t lever = 0;
    std::int32_t cameraEx = 0;
    std::int32_t headUp = 0;
    std::int32_t headDown = 0;

    bool operator==(const SetupSettings&) const = default;
};

// Gives every field its default value.
void applyDefaults(SetupSettings& settings);

}  // namespace setup

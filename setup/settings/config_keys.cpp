#include "setup/settings/config_keys.h"

namespace setup {
namespace {

constexpr ConfigWord kPlacementWords[] = {{"HeadPhones", 1}, {"2Speakers", 0}, {"4Speakers", 3}, {"5Speakers", 4}};
constexpr ConfigWord kQualityWords[] = {{"LOW", 1}, {"MEDIUM", 2}, {"HIGH", 3}};
constexpr ConfigWord kOutputWords[] = {{"Autodetect", 0}, {"DirectSound", 1}, {"WaveOut", 2}};

// An enumeration's field as the integer its words stand for.
template <class Enum, Enum SetupSettings::*member>
constexpr ConfigKey wordKey(std::string_view name, std::span<const ConfigWord> words) {
    return {name,
            ConfigForm::Words,
            nullptr,
            words,
            [](const SetupSettings& s) { return static_cast<std::int32_t>(s.*member); },
            [](SetupSettings& s, std::int32_t value) { s.*member = static_cast<Enum>(value); }};
}
constexpr ConfigKey section(std::string_view header) { return {header, ConfigForm::Section}; }
constexpr ConfigKey key(std::string_view name, ConfigForm form, std::int32_t SetupSettings::*field = nullptr) {
    return {name, form, field};
}

constexpr ConfigKey kKeys[] = {
    section("[SOUND]"),
    key("SpeakerFlip", ConfigForm::Boolean, &SetupSettings::speakerFlip),
    wordKey<SpeakerPlacement, &SetupSettings::speakerPlacement>("SpeakerPlacement", kPlacementWords),
    wordKey<SoundQuality, &SetupSettings::soundQuality>("SoundQuality", kQualityWords),
    key("GeneralVolume", ConfigForm::Integer, &SetupSettings::generalVolume),
    key("SFXVolume", ConfigForm::Integer, &SetupSettings::sfxVolume),
    key("CDVolume", ConfigForm::Integer, &SetupSettings::cdVolume),
    key("VoiceVolume", ConfigForm::Integer, &SetupSettings::voiceVolume),
    wordKey<SoundOutput, &SetupSettings::soundOutput>("SoundOutput", kOutputWords),
    key("EAX", ConfigForm::Boolean, &SetupSettings::eax),
    key("[VIDEOS]", ConfigForm::VideoSection, &SetupSettings::videoSectionPlural),
    key("Resolution", ConfigForm::Resolution),
    key("Device", ConfigForm::Device),
    key("Gamma", ConfigForm::Gamma),
    section("[LANGUAGE]"),
    key("Language", ConfigForm::Language),
    section("[GAME]"),
    key("SlowMotion", ConfigForm::Boolean, &SetupSettings::slowMotion),
    key("Mirrors", ConfigForm::Boolean, &SetupSettings::mirrors),
    key("FloatingCameras", ConfigForm::Boolean, &SetupSettings::floatingCameras),
    key("GameTextes", ConfigForm::Boolean, &SetupSettings::gameTextes),
    key("ParentalLock", ConfigForm::ParentalLock),
    section("[DETAILS]"),
    // Lighting comes first in the file, although the record holds shadowMap first.
    key("Lighting", ConfigForm::Detail, &SetupSettings::lighting),
    key("ShadowMap", ConfigForm::Detail, &SetupSettings::shadowMap),
    key("TextureDetails", ConfigForm::Detail, &SetupSettings::textureDetails),
    section("[CONTROLS]"),
    key("MouseLeft", ConfigForm::Integer, &SetupSettings::mouseLeft),
    key("MouseRight", ConfigForm::Integer, &SetupSettings::mouseRight),
    key("MouseCenter", ConfigForm::Integer, &SetupSettings::mouseCenter),
    key("MouseSensibility", ConfigForm::Integer, &SetupSettings::mouseSensibility),
    key("MouseInv", ConfigForm::Boolean, &SetupSettings::mouseInv),
    key("ForwardMove", ConfigForm::Integer, &SetupSettings::forwardMove),
    key("BackwardMove", ConfigForm::Integer, &SetupSettings::backwardMove),
    key("LeftTurn", ConfigForm::Integer, &SetupSettings::leftTurn),
    key("RightTurn", ConfigForm::Integer, &SetupSettings::rightTurn),
    key("Starfe", ConfigForm::Integer, &SetupSettings::strafe),
    key("LeftStarfe", ConfigForm::Integer, &SetupSettings::leftStrafe),
    key("RightStarfe", ConfigForm::Integer, &SetupSettings::rightStrafe),
    key("Run", ConfigForm::Integer, &SetupSettings::run),
    key("Action", ConfigForm::Integer, &SetupSettings::action),
    key("Deguen", ConfigForm::Integer, &SetupSettings::deguen),
    key("Lever", ConfigForm::Integer, &SetupSettings::lever),
    key("CameraEx", ConfigForm::Integer, &SetupSettings::cameraEx),
    key("HeadUp", ConfigForm::Integer, &SetupSettings::headUp),
    key("HeadDown", ConfigForm::Integer, &SetupSettings::headDown),
};

}  // namespace

std::span<const ConfigKey> configKeys() { return kKeys; }

}  // namespace setup

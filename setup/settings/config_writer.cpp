#include "config_writer.h"

#include <charconv>

#include "settings/parental_lock.h"

namespace orv {

namespace {

class Lines {
 public:
  void line(std::string_view text) {
    out_ += text;
    out_ += "\r\n";
  }
  void number(std::string_view key, std::int32_t value) { line(std::string(key) + " = " + std::to_string(value)); }
  void boolean(std::string_view key, std::int32_t value) { line(std::string(key) + (value ? " = TRUE" : " = FALSE")); }
  void detail(std::string_view key, std::int32_t value) { line(std::string(key) + (value == 1 ? " = HIGH" : " = LOW")); }
  // A value without a word of its own leaves its line out.
  void word(std::string_view key, const char* word) {
    if (word) line(std::string(key) + " = " + word);
  }
  std::string take() { return std::move(out_); }

 private:
  std::string out_;
};

const char* placementWord(SpeakerPlacement p) {
  switch (p) {
    case SpeakerPlacement::TwoSpeakers: return "2Speakers";
    case SpeakerPlacement::HeadPhones: return "HeadPhones";
    case SpeakerPlacement::FourSpeakers: return "4Speakers";
    case SpeakerPlacement::FiveSpeakers: return "5Speakers";
  }
  return nullptr;
}

const char* qualityWord(SoundQuality q) {
  switch (q) {
    case SoundQuality::Low: return "LOW";
    case SoundQuality::Medium: return "MEDIUM";
    case SoundQuality::High: return "HIGH";
  }
  return nullptr;
}

const char* outputWord(SoundOutput o) {
  switch (o) {
    case SoundOutput::Autodetect: return "Autodetect";
    case SoundOutput::DirectSound: return "DirectSound";
    case SoundOutput::WaveOut: return "WaveOut";
  }
  return nullptr;
}

// "%3.2f" of the float widened to double: std::to_chars rounds the exact
// binary value the same way on every runtime. Two decimals are never shorter
// than the width of 3.
std::string twoDecimals(float value) {
  char text[400];
  auto end = std::to_chars(text, text + sizeof text, static_cast<double>(value), std::chars_format::fixed, 2).ptr;
  return std::string(text, end);
}

}  // namespace

std::string writeConfig(const SetupSettings& s) {
  Lines out;
  out.line("//\t\t\t+------------------------------------+");
  out.line("//\t\t\t| Configuration File for Orvane|");
  out.line("//\t\t\t+------------------------------------+");
  out.line("");
  out.line("[SOUND]");
  out.boolean("SpeakerFlip", s.speakerFlip);
  out.word("SpeakerPlacement", placementWord(s.speakerPlacement));
  out.word("SoundQuality", qualityWord(s.soundQuality));
  out.number("GeneralVolume", s.generalVolume);
  out.number("SFXVolume", s.sfxVolume);
  out.number("CDVolume", s.cdVolume);
  out.number("VoiceVolume", s.voiceVolume);
  out.word("SoundOutput", outputWord(s.soundOutput));
  out.boolean("EAX", s.eax);
  out.line("");
  out.line(s.videoSectionPlural ? "[VIDEOS]" : "[VIDEO]");
  out.line("Resolution = " + std::to_string(s.resolutionWidth) + "x" + std::to_string(s.resolutionHeight));
  out.line("Device = " + s.device);
  out.line("Gamma = " + twoDecimals(s.gamma[0]) + "x" + twoDecimals(s.gamma[1]) + "x" + twoDecimals(s.gamma[2]));
  out.line("");
  out.line("[LANGUAGE]");
  out.line("Language = " + s.language);
  out.line("");
  out.line("[GAME]");
  out.boolean("SlowMotion", s.slowMotion);
  out.boolean("Mirrors", s.mirrors);
  out.boolean("FloatingCameras", s.floatingCameras);
  out.boolean("GameTextes", s.gameTextes);
  ParentalLockWords lock = encodeParentalLock(s.parentalCode, s.parentalLevel);
  out.line("ParentalLock = " + std::to_string(lock.codeLow) + " - " + std::to_string(lock.level) + " - " +
           std::to_string(lock.codeHigh));
  out.line("");
  out.line("[DETAILS]");
  // Lighting comes first in the file, although the record holds shadowMap first.
  out.detail("Lighting", s.lighting);
  out.detail("ShadowMap", s.shadowMap);
  out.detail("TextureDetails", s.textureDetails);
  out.line("");
  out.line("[CONTROLS]");
  out.number("MouseLeft", s.mouseLeft);
  out.number("MouseRight", s.mouseRight);
  out.number("MouseCenter", s.mouseCenter);
  out.number("MouseSensibility", s.mouseSensibility);
  out.boolean("MouseInv", s.mouseInv);
  out.number("ForwardMove", s.forwardMove);
  out.number("BackwardMove", s.backwardMove);
  out.number("LeftTurn", s.leftTurn);
  out.number("RightTurn", s.rightTurn);
  out.number("Starfe", s.strafe);
  out.number("LeftStarfe", s.leftStrafe);
  out.number("RightStarfe", s.rightStrafe);
  out.number("Run", s.run);
  out.number("Action", s.action);
  out.number("Deguen", s.deguen);
  out.number("Lever", s.lever);
  out.number("CameraEx", s.cameraEx);
  out.number("HeadUp", s.headUp);
  out.number("HeadDown", s.headDown);
  out.line("");
  return out.take();
}

}  // namespace orv

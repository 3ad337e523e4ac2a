#include "config_reader.h"

#include <array>
#include <string>

#include "settings/parental_lock.h"
#include "settings/value_scan.h"

namespace orv {

namespace {

struct Word {
  std::string_view text;
  std::int32_t value;
};

enum class Form { Boolean, Detail, Words, Integer, Resolution, Gamma, Device, Language, ParentalLock, VideosHeader };

using StoreWord = void (*)(SetupSettings&, std::int32_t);

struct Key {
  std::string_view name;
  Form form;
  std::int32_t SetupSettings::*field = nullptr;  // for the forms with one integer field
  const Word* words = nullptr;                    // for word lists
  std::size_t wordCount = 0;
  StoreWord storeWord = nullptr;
};

constexpr Word kPlacementWords[] = {{"HeadPhones", 1}, {"2speakers", 0}, {"4speakers", 3}, {"5speakers", 4}};
constexpr Word kQualityWords[] = {{"Low", 1}, {"Medium", 2}, {"High", 3}};
constexpr Word kOutputWords[] = {{"Autodetect", 0}, {"DirectSound", 1}, {"WaveOut", 2}};

template <std::size_t N>
constexpr Key wordKey(std::string_view name, const Word (&words)[N], StoreWord store) {
  return {name, Form::Words, nullptr, words, N, store};
}
constexpr Key intKey(std::string_view name, Form form, std::int32_t SetupSettings::*field) { return {name, form, field}; }
constexpr Key key(std::string_view name, Form form) { return {name, form}; }

// No key is a prefix of another, so at most one matches a line.
const std::array<Key, 41> kKeys = {{
    intKey("SpeakerFlip", Form::Boolean, &SetupSettings::speakerFlip),
    wordKey("SpeakerPlacement", kPlacementWords,
            [](SetupSettings& s, std::int32_t v) { s.speakerPlacement = static_cast<SpeakerPlacement>(v); }),
    wordKey("SoundQuality", kQualityWords,
            [](SetupSettings& s, std::int32_t v) { s.soundQuality = static_cast<SoundQuality>(v); }),
    intKey("GeneralVolume", Form::Integer, &SetupSettings::generalVolume),
    intKey("SFXVolume", Form::Integer, &SetupSettings::sfxVolume),
    intKey("CDVolume", Form::Integer, &SetupSettings::cdVolume),
    intKey("VoiceVolume", Form::Integer, &SetupSettings::voiceVolume),
    key("Resolution", Form::Resolution),
    key("Device", Form::Device),
    wordKey("SoundOutput", kOutputWords,
            [](SetupSettings& s, std::int32_t v) { s.soundOutput = static_cast<SoundOutput>(v); }),
    key("Gamma", Form::Gamma),
    key("Language", Form::Language),
    intKey("EAX", Form::Boolean, &SetupSettings::eax),
    intKey("SlowMotion", Form::Boolean, &SetupSettings::slowMotion),
    intKey("Mirrors", Form::Boolean, &SetupSettings::mirrors),
    intKey("ShadowMap", Form::Detail, &SetupSettings::shadowMap),
    intKey("Lighting", Form::Detail, &SetupSettings::lighting),
    intKey("TextureDetails", Form::Detail, &SetupSettings::textureDetails),
    key("ParentalLock", Form::ParentalLock),
    intKey("FloatingCameras", Form::Boolean, &SetupSettings::floatingCameras),
    intKey("GameTextes", Form::Boolean, &SetupSettings::gameTextes),
    intKey("MouseLeft", Form::Integer, &SetupSettings::mouseLeft),
    intKey("MouseRight", Form::Integer, &SetupSettings::mouseRight),
    intKey("MouseCenter", Form::Integer, &SetupSettings::mouseCenter),
    intKey("MouseSensibility", Form::Integer, &SetupSettings::mouseSensibility),
    intKey("MouseInv", Form::Boolean, &SetupSettings::mouseInv),
    intKey("ForwardMove", Form::Integer, &SetupSettings::forwardMove),
    intKey("BackwardMove", Form::Integer, &SetupSettings::backwardMove),
    intKey("LeftTurn", Form::Integer, &SetupSettings::leftTurn),
    intKey("RightTurn", Form::Integer, &SetupSettings::rightTurn),
    intKey("Starfe", Form::Integer, &SetupSettings::strafe),
    intKey("LeftStarfe", Form::Integer, &SetupSettings::leftStrafe),
    intKey("RightStarfe", Form::Integer, &SetupSettings::rightStrafe),
    intKey("Run", Form::Integer, &SetupSettings::run),
    intKey("Action", Form::Integer, &SetupSettings::action),
    intKey("Deguen", Form::Integer, &SetupSettings::deguen),
    intKey("Lever", Form::Integer, &SetupSettings::lever),
    intKey("CameraEx", Form::Integer, &SetupSettings::cameraEx),
    intKey("HeadUp", Form::Integer, &SetupSettings::headUp),
    intKey("HeadDown", Form::Integer, &SetupSettings::headDown),
    intKey("[VIDEOS]", Form::VideosHeader, &SetupSettings::videoSectionPlural),
}};

bool endsLine(char c) { return c == '\n' || c == '\0'; }

// The text from pos to the end of its line (a line feed, a zero byte or the
// end of the data); a carriage return stays part of it.
std::string_view restOfLine(std::string_view text, std::size_t pos) {
  std::size_t end = pos;
  while (end < text.size() && !endsLine(text[end])) ++end;
  return text.substr(pos, end - pos);
}

const Key* matchKey(std::string_view line) {
  for (const Key& k : kKeys)
    if (startsWithNoCase(line, k.name)) return &k;
  return nullptr;
}

std::optional<std::int32_t> matchWord(std::string_view value, const Key& k) {
  for (std::size_t i = 0; i < k.wordCount; ++i)
    if (startsWithNoCase(value, k.words[i].text)) return k.words[i].value;
  return std::nullopt;
}

// "%d - %d - %d": the code's first word, the encoded level, the second word.
// With fewer than three numbers the code and the level keep their values.
void readParentalLock(ValueScanner& scan, SetupSettings& s) {
  std::optional<std::int32_t> numbers[3];
  for (int i = 0; i < 3; ++i) {
    if (i > 0) {
      scan.skipSpace();
      if (!scan.literal('-')) return;
      scan.skipSpace();
    }
    numbers[i] = scan.integer();
    if (!numbers[i]) return;
  }
  s.parentalCode = decodeParentalCode(*numbers[0], *numbers[2]);
  s.parentalLevel = decodeParentalLevel(*numbers[1]);
}

// The device is the whole rest of the line but a carriage return and what
// follows it; inner and trailing spaces stay.
std::string deviceText(std::string_view value) {
  std::size_t end = value.find('\r');
  if (end == std::string_view::npos) end = value.size();
  return std::string(value.substr(0, std::min(end, kTextValueLimit)));
}

void convertValue(const Key& k, std::string_view value, SetupSettings& s) {
  ValueScanner scan(value);
  switch (k.form) {
    case Form::Boolean:
      s.*k.field = startsWithNoCase(value, "TRUE") ? 1 : 0;
      break;
    case Form::Detail:
      s.*k.field = startsWithNoCase(value, "HIGH") ? 1 : 0;
      break;
    case Form::Words:
      if (auto v = matchWord(value, k)) k.storeWord(s, *v);
      break;
    case Form::Integer:
      if (auto v = scan.integer()) s.*k.field = *v;
      break;
    case Form::Resolution:
      if (auto w = scan.integer()) {
        s.resolutionWidth = *w;
        if (!scan.literal('x')) break;
        if (auto h = scan.integer()) s.resolutionHeight = *h;
      }
      break;
    case Form::Gamma:
      for (int i = 0; i < 3; ++i) {
        if (i > 0 && !scan.literal('x')) break;
        auto g = scan.real();
        if (!g) break;
        s.gamma[i] = *g;
      }
      break;
    case Form::Device:
      s.device = deviceText(value);
      break;
    case Form::Language:
      if (auto w = scan.word(kTextValueLimit)) s.language = *w;
      break;
    case Form::ParentalLock:
      readParentalLock(scan, s);
      break;
    case Form::VideosHeader:
      break;
  }
}

// Handles one line, from behind its leading blanks to its end.
void readLine(std::string_view line, SetupSettings& s) {
  if (line.empty() || line[0] == '/') return;
  const Key* k = matchKey(line);
  if (!k) return;
  if (k->form == Form::VideosHeader) {
    s.videoSectionPlural = 1;
    return;
  }
  // Anything between the key and the first '=' is ignored; a line without
  // one is skipped. Only spaces are skipped behind it, not tabs.
  std::size_t eq = line.find('=', k->name.size());
  if (eq == std::string_view::npos) return;
  std::size_t value = eq + 1;
  while (value < line.size() && line[value] == ' ') ++value;
  convertValue(*k, line.substr(value), s);
}

}  // namespace

void parseConfig(std::string_view text, SetupSettings& settings) {
  applyDefaults(settings);
  std::size_t cursor = 0;
  while (cursor < text.size()) {
    while (cursor < text.size() && (text[cursor] == ' ' || text[cursor] == '\t')) ++cursor;
    std::string_view line = restOfLine(text, cursor);
    readLine(line, settings);
    cursor += line.size() + 1;
  }
}

void readConfig(std::FILE* file, SetupSettings& settings, Platform& platform) {
  std::fseek(file, 0, SEEK_END);
  long length = std::ftell(file);
  std::fseek(file, 0, SEEK_SET);
  if (length > kConfigSizeLimit) platform.fatalStop(kConfigTooBig);
  std::array<char, kConfigSizeLimit> buffer;
  std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file);
  parseConfig(std::string_view(buffer.data(), got), settings);
}

}  // namespace orv

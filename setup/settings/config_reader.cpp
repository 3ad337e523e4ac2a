#include "setup/settings/config_reader.h"

#include <array>
#include <string>

#include "setup/settings/config_keys.h"
#include "setup/settings/parental_lock.h"
#include "setup/settings/value_scan.h"

namespace setup {

namespace {

bool endsLine(char c) { return c == '\n' || c == '\0'; }

// The text from pos to the end of its line (a line feed, a zero byte or the
// end of the data); a carriage return stays part of it.
std::string_view restOfLine(std::string_view text, std::size_t pos) {
    std::size_t end = pos;
    while (end < text.size() && !endsLine(text[end])) ++end;
    return text.substr(pos, end - pos);
}

// Section headers mean nothing to the reader, but for "[VIDEOS]".
const ConfigKey* matchKey(std::string_view line) {
    for (const ConfigKey& k : configKeys())
        if (k.form != ConfigForm::Section && startsWithNoCase(line, k.name)) return &k;
    return nullptr;
}

std::optional<std::int32_t> matchWord(std::string_view value, const ConfigKey& k) {
    for (const ConfigWord& word : k.words)
        if (startsWithNoCase(value, word.text)) return word.value;
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

void convertValue(const ConfigKey& k, std::string_view value, SetupSettings& s) {
    ValueScanner scan(value);
    switch (k.form) {
        case ConfigForm::Boolean: s.*k.field = startsWithNoCase(value, "TRUE") ? 1 : 0; break;
        case ConfigForm::Detail: s.*k.field = startsWithNoCase(value, "HIGH") ? 1 : 0; break;
        case ConfigForm::Words:
            if (auto v = matchWord(value, k)) k.store(s, *v);
            break;
        case ConfigForm::Integer:
            if (auto v = scan.integer()) s.*k.field = *v;
            break;
        case ConfigForm::Resolution:
            if (auto w = scan.integer()) {
                s.resolutionWidth = *w;
                if (!scan.literal('x')) break;
                if (auto h = scan.integer()) s.resolutionHeight = *h;
            }
            break;
        case ConfigForm::Gamma:
            for (int i = 0; i < 3; ++i) {
                if (i > 0 && !scan.literal('x')) break;
                auto g = scan.real();
                if (!g) break;
                s.gamma[i] = *g;
            }
            break;
        case ConfigForm::Device: s.device = deviceText(value); break;
        case ConfigForm::Language:
            if (auto w = scan.word(kTextValueLimit)) s.language = *w;
            break;
        case ConfigForm::ParentalLock: readParentalLock(scan, s); break;
        case ConfigForm::Section:
        case ConfigForm::VideoSection: break;
    }
}

// Handles one line, from behind its leading blanks to its end.
void readLine(std::string_view line, SetupSettings& s) {
    if (line.empty() || line[0] == '/') return;
    const ConfigKey* k = matchKey(line);
    if (!k) return;
    if (k->form == ConfigForm::VideoSection) {
        s.*k->field = 1;
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

}  // namespace setup

#include "setup/settings/config_writer.h"

#include <charconv>
#include <string>

#include "setup/settings/config_keys.h"
#include "setup/settings/parental_lock.h"

namespace setup {

namespace {

void line(std::string& out, std::string_view text) {
    out += text;
    out += "\r\n";
}

// The word a Words key writes for the value, or null for a value without one.
const char* wordFor(const ConfigKey& k, std::int32_t value) {
    for (const ConfigWord& word : k.words)
        if (word.value == value) return word.text.data();
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

// One key's line; empty for a Words key whose value has no word (the line is
// left out).
std::string keyLine(const ConfigKey& k, const SetupSettings& s) {
    const std::string key = std::string(k.name) + " = ";
    switch (k.form) {
        case ConfigForm::Boolean: return key + (s.*k.field ? "TRUE" : "FALSE");
        case ConfigForm::Detail: return key + (s.*k.field == 1 ? "HIGH" : "LOW");
        case ConfigForm::Integer: return key + std::to_string(s.*k.field);
        case ConfigForm::Words: {
            const char* word = wordFor(k, k.load(s));
            return word != nullptr ? key + word : std::string();
        }
        case ConfigForm::Resolution:
            return key + std::to_string(s.resolutionWidth) + "x" + std::to_string(s.resolutionHeight);
        case ConfigForm::Device: return key + s.device;
        case ConfigForm::Gamma:
            return key + twoDecimals(s.gamma[0]) + "x" + twoDecimals(s.gamma[1]) + "x" + twoDecimals(s.gamma[2]);
        case ConfigForm::Language: return key + s.language;
        case ConfigForm::ParentalLock: {
            const ParentalLockWords lock = encodeParentalLock(s.parentalCode, s.parentalLevel);
            return key + std::to_string(lock.codeLow) + " - " + std::to_string(lock.level) + " - " +
                   std::to_string(lock.codeHigh);
        }
        case ConfigForm::Section:
        case ConfigForm::VideoSection: break;
    }
    return {};
}

}  // namespace

std::string writeConfig(const SetupSettings& s) {
    std::string out;
    line(out, "//\t\t\t+------------------------------------+");
    line(out, "//\t\t\t| Configuration File for Orvane|");
    line(out, "//\t\t\t+------------------------------------+");
    for (const ConfigKey& k : configKeys()) {
        if (k.form == ConfigForm::Section) {
            line(out, "");
            line(out, k.name);
        } else if (k.form == ConfigForm::VideoSection) {
            // "[VIDEOS]" or, without its S, "[VIDEO]".
            line(out, "");
            line(out, s.*k.field ? std::string(k.name) : std::string(k.name.substr(0, k.name.size() - 2)) + "]");
        } else if (const std::string text = keyLine(k, s); !text.empty()) {
            line(out, text);
        }
    }
    line(out, "");
    return out;
}

}  // namespace setup

#pragma once
// The keys of Config.ini in the order the file holds them, between the
// headers of their sections, each with the form of its value and the field it
// fills: the one table that the reader and the writer follow.

#include <cstdint>
#include <span>
#include <string_view>

#include "setup/settings/setup_settings.h"

namespace setup {

// How a value is written and read:
// - Section: a header line; the reader passes it by.
// - VideoSection: "[VIDEOS]" when the field is 1, else "[VIDEO]"; the reader
//   sets the field when a line starts with "[VIDEOS]".
// - Boolean "TRUE"/"FALSE", Detail "HIGH"/"LOW" (1/0), Integer, Words (one of
//   the key's words; a value without one leaves the line out), and the keys
//   of their own: Resolution "WxH", Device (the rest of the line), Gamma
//   "R.RRxG.GGxB.BB", Language (one word), ParentalLock "%d - %d - %d".
enum class ConfigForm {
    Section,
    VideoSection,
    Boolean,
    Detail,
    Integer,
    Words,
    Resolution,
    Device,
    Gamma,
    Language,
    ParentalLock
};

// A word of a Words key as the writer spells it; the reader takes it without
// regard to case.
struct ConfigWord {
    std::string_view text;
    std::int32_t value;
};

struct ConfigKey {
    std::string_view name;  // the key, or the section's header
    ConfigForm form;
    std::int32_t SetupSettings::*field = nullptr;  // Boolean, Detail, Integer, VideoSection
    std::span<const ConfigWord> words{};           // Words, and its enumeration as an integer:
    std::int32_t (*load)(const SetupSettings&) = nullptr;
    void (*store)(SetupSettings&, std::int32_t) = nullptr;
};

// Every section and key, in the file's order. No key is a prefix of another,
// so at most one matches a line.
std::span<const ConfigKey> configKeys();

}  // namespace setup

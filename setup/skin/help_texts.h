#pragma once
// The hover help texts: twelve sections of the program's "RT_TEXT" resource.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "setup/system/platform.h"

namespace setup {

inline constexpr int kHelpTextResource = 150;

// The section names, in the order of the records.
inline constexpr std::array<std::string_view, 12> kHelpSectionNames{"[LAUNCH]",  "[KIT]",    "[RESOLU]",   "[ADAPTA]",
                                                                    "[VVOIX]",   "[VCD]",    "[VSFX]",     "[VGENERAL]",
                                                                    "[SPEAKER]", "[SSHIGH]", "[SSMEDIUM]", "[SSLOW]"};

struct HelpText {
    std::int32_t lineCount = 0;  // 0 when the section is absent
    std::int32_t startLine = 0;  // help line of the first text line
    // lineCount texts, each as in the resource with its trailing carriage
    // return; places the resource did not fill stay empty.
    std::vector<std::string> lines;
};

struct HelpTexts {
    std::array<HelpText, kHelpSectionNames.size()> sections;

    // The record of the section with exactly that name, or null.
    const HelpText* find(std::string_view name) const;
};

// Reads the text resource 150; a missing resource leaves every record empty.
void loadHelpTexts(HelpTexts& texts, Platform& platform);
// Reads the sections from the bytes of such a resource.
void parseHelpTexts(HelpTexts& texts, std::string_view bytes);
void freeHelpTexts(HelpTexts& texts);

}  // namespace setup

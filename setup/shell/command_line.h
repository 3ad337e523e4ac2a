#pragma once
// The settings directory prefix from the program's command line.

#include <string>
#include <string_view>

namespace setup {

// Everything behind the program's own name (quoted or not), with the white
// space right after the name skipped; used verbatim, quotes and all.
std::string settingsPrefixFromCommandLine(std::string_view commandLine);

}  // namespace setup

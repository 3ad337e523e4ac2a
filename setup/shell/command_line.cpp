#include "setup/shell/command_line.h"

namespace setup {

std::string settingsPrefixFromCommandLine(std::string_view commandLine) {
    std::size_t at = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        const std::size_t closing = commandLine.find('"', 1);
        at = closing == std::string_view::npos ? commandLine.size() : closing + 1;
    } else {
        while (at < commandLine.size() && commandLine[at] != ' ' && commandLine[at] != '\t') ++at;
    }
    while (at < commandLine.size() && (commandLine[at] == ' ' || commandLine[at] == '\t')) ++at;
    return std::string(commandLine.substr(at));
}

}  // namespace setup

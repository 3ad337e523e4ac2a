#pragma once
// The frame of every tool's main(): --help and --version, and failures turned
// into one line on standard error and the exit code they carry.

#include <functional>
#include <span>
#include <string_view>

namespace cli {

// The project's version, as CMake's project() states it.
std::string_view version();

struct Tool {
    std::string_view name;  // "vk6", or "vk6 decode" for a subcommand
    std::string_view help;  // the whole --help text
};

// Prints the help or the version when asked for and returns 0; otherwise runs
// body on the arguments after the program's name (or the subcommand's) and
// returns its exit code. A Failure thrown by body prints "NAME: message" (with
// a hint to --help for a usage error) and returns its code.
int runTool(const Tool& tool, std::span<char* const> args, const std::function<int(std::span<char* const>)>& body);

}  // namespace cli

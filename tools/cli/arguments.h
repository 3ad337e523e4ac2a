#pragma once
// Options and operands of a command line: "--name value", "--name=value",
// "-x value", flags, "--" before operands that start with a dash, and "-" as
// an operand (standard input or output).

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cli {

struct OptionSpec {
    std::string_view name;  // "--format"
    char shortName = 0;     // 'o' for "-o", 0 for none
    bool takesValue = false;
};

class Arguments {
public:
    // Throws a usage Failure for an unknown option or a missing value.
    Arguments(std::span<char* const> args, std::span<const OptionSpec> options);

    bool flag(std::string_view name) const;
    // The option's value, the last one when it is given more than once.
    std::optional<std::string> value(std::string_view name) const;
    // The option's value; a usage Failure "missing WHAT" when it is not given.
    std::string required(std::string_view name, std::string_view what) const;
    const std::vector<std::string>& operands() const { return operands_; }
    // The operands, when there are exactly `count` of them; a usage Failure otherwise.
    const std::vector<std::string>& operands(size_t count, std::string_view what) const;

private:
    std::vector<std::pair<std::string, std::string>> given_;  // name, value
    std::vector<std::string> operands_;
};

// Whether "--help" (or "-h") or "--version" stands among the options.
bool asksForHelp(std::span<char* const> args);
bool asksForVersion(std::span<char* const> args);

}  // namespace cli

#include "tools/cli/arguments.h"

#include <algorithm>

#include "tools/cli/failure.h"

namespace cli {

namespace {

bool standsAmongOptions(std::span<char* const> args, std::initializer_list<std::string_view> names) {
    for (const char* arg : args) {
        const std::string_view text = arg;
        if (text == "--") return false;
        if (std::find(names.begin(), names.end(), text) != names.end()) return true;
    }
    return false;
}

}  // namespace

bool asksForHelp(std::span<char* const> args) { return standsAmongOptions(args, {"--help", "-h"}); }

bool asksForVersion(std::span<char* const> args) { return standsAmongOptions(args, {"--version"}); }

Arguments::Arguments(std::span<char* const> args, std::span<const OptionSpec> options) {
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            operands_.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string_view name = arg;
        std::optional<std::string_view> attached;
        if (const size_t equals = arg.find('='); arg.starts_with("--") && equals != std::string_view::npos) {
            name = arg.substr(0, equals);
            attached = arg.substr(equals + 1);
        }
        const auto spec = std::find_if(options.begin(), options.end(), [&](const OptionSpec& option) {
            return option.name == name || (name.size() == 2 && option.shortName != 0 && name[1] == option.shortName);
        });
        if (spec == options.end()) failUsage("unknown option '" + std::string(name) + "'");
        if (!spec->takesValue) {
            if (attached) failUsage("option '" + std::string(spec->name) + "' takes no value");
            given_.emplace_back(spec->name, "");
            continue;
        }
        if (!attached) {
            if (i + 1 == args.size()) failUsage("option '" + std::string(spec->name) + "' needs a value");
            attached = args[++i];
        }
        given_.emplace_back(spec->name, *attached);
    }
}

bool Arguments::flag(std::string_view name) const {
    return std::any_of(given_.begin(), given_.end(), [&](const auto& option) { return option.first == name; });
}

std::optional<std::string> Arguments::value(std::string_view name) const {
    for (auto option = given_.rbegin(); option != given_.rend(); ++option)
        if (option->first == name) return option->second;
    return std::nullopt;
}

std::string Arguments::required(std::string_view name, std::string_view what) const {
    auto given = value(name);
    if (!given) failUsage("missing " + std::string(what));
    return *given;
}

const std::vector<std::string>& Arguments::operands(size_t count, std::string_view what) const {
    if (operands_.size() < count) failUsage("missing " + std::string(what));
    if (operands_.size() > count) failUsage("unexpected operand '" + operands_[count] + "'");
    return operands_;
}

}  // namespace cli

#include "tools/cli/tool.h"

#include <cstdio>
#include <string>

#include "tools/cli/arguments.h"
#include "tools/cli/failure.h"

namespace cli {

std::string_view version() { return ORV_VERSION; }

int runTool(const Tool& tool, std::span<char* const> args, const std::function<int(std::span<char* const>)>& body) {
    const std::string name(tool.name);
    if (asksForHelp(args)) {
        std::fwrite(tool.help.data(), 1, tool.help.size(), stdout);
        return kExitOk;
    }
    if (asksForVersion(args)) {
        std::printf("%s %s\n", name.c_str(), std::string(version()).c_str());
        return kExitOk;
    }
    try {
        return body(args);
    } catch (const Failure& failure) {
        if (failure.code() == kExitUsage)
            std::fprintf(stderr, "%s: %s (see '%s --help')\n", name.c_str(), failure.what(), name.c_str());
        else
            std::fprintf(stderr, "%s: %s\n", name.c_str(), failure.what());
        return failure.code();
    }
}

}  // namespace cli

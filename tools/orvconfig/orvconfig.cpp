// orvconfig [--quiet] [PREFIX]: loads PREFIX + "Config.ini" as the setup
// program does, shows the record and saves it back in the fixed layout.

#include <cstdio>
#include <string>

#include "setup/platform/headless/headless_platform.h"
#include "setup/settings/config_writer.h"
#include "setup/settings/settings_file.h"
#include "tools/cli/arguments.h"
#include "tools/cli/failure.h"
#include "tools/cli/tool.h"

namespace {

constexpr std::string_view kHelp =
    "Usage: orvconfig [--quiet] [PREFIX]\n"
    "Reads PREFIX + \"Config.ini\" as the setup program does (PREFIX is a directory\n"
    "with its trailing slash, or empty for the current one), shows the record and\n"
    "writes the file back in the setup program's fixed layout.\n"
    "\n"
    "  -q, --quiet    show nothing but errors\n"
    "  -h, --help     show this help\n"
    "      --version  show the version\n"
    "\n"
    "Exit codes: 0 done, 1 the file is refused, 2 usage error, 3 the file cannot be written.\n";

constexpr cli::OptionSpec kOptions[] = {{"--quiet", 'q', false}};

int run(std::span<char* const> args) {
    const cli::Arguments arguments(args, kOptions);
    if (arguments.operands().size() > 1) cli::failUsage("unexpected operand '" + arguments.operands()[1] + "'");
    const bool quiet = arguments.flag("--quiet");
    const std::string prefix = arguments.operands().empty() ? "" : arguments.operands()[0];
    const std::string path = setup::settingsFilePath(prefix);
    setup::HeadlessPlatform platform;
    setup::SetupSettings settings;
    try {
        setup::loadSettings(settings, prefix, platform);
    } catch (const setup::FatalStop& stop) {
        cli::failInput(path + ": " + stop.box.caption + ": " + stop.box.text);
    }
    if (!quiet) {
        std::printf("Read %s. The record, as it will be written:\n\n%s", path.c_str(),
                    setup::writeConfig(settings).c_str());
        std::printf("device \"%s\", language \"%s\", parental code \"%s\" at level %d\n", settings.device.c_str(),
                    settings.language.c_str(), settings.parentalCode.c_str(), settings.parentalLevel);
    }
    if (!setup::saveSettings(settings, prefix, platform)) cli::failIo("cannot write " + path);
    if (!quiet) std::printf("Saved %s.\n", path.c_str());
    return cli::kExitOk;
}

}  // namespace

int main(int argc, char** argv) { return cli::runTool({"orvconfig", kHelp}, {argv + 1, argv + argc}, run); }

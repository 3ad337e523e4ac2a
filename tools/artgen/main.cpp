// artgen DIRECTORY: writes the skin's bitmaps and icon into DIRECTORY
// (setup/resources when they are to be committed).

#include <cstdio>

#include "tools/artgen/artgen.h"
#include "tools/cli/arguments.h"
#include "tools/cli/failure.h"
#include "tools/cli/tool.h"

namespace {

constexpr std::string_view kHelp =
    "Usage: artgen [--quiet] DIRECTORY\n"
    "Generates the setup window's skin (bitmaps and icon) into DIRECTORY, which must\n"
    "exist; setup/resources is where the committed files live.\n"
    "\n"
    "  -q, --quiet    do not list the files written\n"
    "  -h, --help     show this help\n"
    "      --version  show the version\n"
    "\n"
    "Exit codes: 0 done, 2 usage error, 3 a file cannot be written.\n";

constexpr cli::OptionSpec kOptions[] = {{"--quiet", 'q', false}};

int run(std::span<char* const> args) {
    const cli::Arguments arguments(args, kOptions);
    const std::string directory = arguments.operands(1, "DIRECTORY")[0];
    auto files = artgen::generateSkin();
    if (!artgen::writeSkin(files, directory)) cli::failIo("cannot write into " + directory);
    if (!arguments.flag("--quiet"))
        for (const auto& f : files) std::printf("%3d %s\n", f.resourceId, f.name.c_str());
    return cli::kExitOk;
}

}  // namespace

int main(int argc, char** argv) { return cli::runTool({"artgen", kHelp}, {argv + 1, argv + argc}, run); }

// vk6: the XQM6 video tool. `vk6 info`, `vk6 decode`, `vk6 check`, `vk6 encode` and `vk6 thumbnail`; each
// subcommand has its own --help.

#include <cstdio>
#include <functional>
#include <string>

#include "tools/cli/console.h"
#include "tools/cli/failure.h"
#include "tools/cli/tool.h"
#include "tools/vk6/commands.h"

namespace {

constexpr std::string_view kHelp =
    "Usage: vk6 COMMAND [OPTIONS] ...\n"
    "The XQM6 video tool.\n"
    "\n"
    "Commands:\n"
    "  info FILE                        the stream's header and its frames\n"
    "  decode FILE -o OUT --format F    the pictures as PNG files, Y4M, raw frames or framemd5\n"
    "  check FILE                       which frames the decoder abandons, where and why\n"
    "  encode INPUT -o OUT.xqm          a Y4M file or PNG sequence as a stream\n"
    "  thumbnail FILE -o OUT.png        one picture of the video, small, as a PNG\n"
    "\n"
    "  -h, --help     show this help ('vk6 COMMAND --help' for a command's)\n"
    "      --version  show the version\n"
    "\n"
    "Exit codes: 0 done, 1 bad input, 2 usage error, 3 input/output error.\n";

struct Command {
    std::string_view name;
    const std::string_view& help;
    int (*body)(std::span<char* const>);
};

const Command kCommands[] = {
    {"info", vk6::kInfoHelp, vk6::info},
    {"decode", vk6::kDecodeHelp, vk6::decode},
    {"check", vk6::kCheckHelp, vk6::check},
    {"encode", vk6::kEncodeHelp, vk6::encode},
    {"thumbnail", vk6::kThumbnailHelp, vk6::thumbnail},
};

int run(std::span<char* const> args) {
    cli::setBinary(stdin);
    cli::setBinary(stdout);
    cli::useUtf8Console();
    if (!args.empty()) {
        for (const Command& command : kCommands) {
            if (command.name != args[0]) continue;
            const std::string name = "vk6 " + std::string(command.name);
            return cli::runTool({name, command.help}, args.subspan(1), [&](std::span<char* const> rest) {
                return cli::withFileFailures([&] { return command.body(rest); });
            });
        }
    }
    return cli::runTool({"vk6", kHelp}, args, [](std::span<char* const> rest) -> int {
        if (rest.empty()) cli::failUsage("missing command");
        cli::failUsage("unknown command '" + std::string(rest[0]) + "'");
    });
}

}  // namespace

#if defined(_WIN32)
int wmain(int argc, wchar_t** argv) { return run(cli::Utf8Arguments(argc, argv).get()); }
#else
int main(int argc, char** argv) { return run(cli::Utf8Arguments(argc, argv).get()); }
#endif

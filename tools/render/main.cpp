// render_scene OUT.png [clock=MS] [modes=WxH,...] [hover=CONTROL|none]
//                      [press=CONTROL] [knob=KNOB:POSITION] [ticks=N] [seed=N] ...
// Starts the setup window headless over the shipped skin, plays the steps in
// order and writes the frame the next repaint would show.

#include <string>
#include <vector>

#include "tools/cli/arguments.h"
#include "tools/cli/failure.h"
#include "tools/cli/tool.h"
#include "tools/render/frame_png.h"
#include "tools/render/render_session.h"

namespace {

constexpr std::string_view kHelp =
    "Usage: render_scene OUT.png [STEP ...]\n"
    "Starts the setup window headless over the shipped skin, plays the steps in\n"
    "order and writes the frame the next repaint would show as OUT.png.\n"
    "\n"
    "Steps: clock=MS modes=WxH,... hover=CONTROL|none press=CONTROL\n"
    "       knob=KNOB:POSITION ticks=N seed=N\n"
    "Controls: quit launch low medium high flip next previous resolution general\n"
    "          voice sfx cd\n"
    "\n"
    "  -h, --help     show this help\n"
    "      --version  show the version\n"
    "\n"
    "Exit codes: 0 done, 2 usage error, 3 OUT.png cannot be written.\n";

int run(std::span<char* const> args) {
    const cli::Arguments arguments(args, {});
    const std::vector<std::string>& operands = arguments.operands();
    if (operands.empty()) cli::failUsage("missing OUT.png");
    render::RenderScript script;
    if (auto error = render::parseRenderArgs({operands.begin() + 1, operands.end()}, script)) cli::failUsage(*error);
    render::RenderSession session(script);
    session.run(script.steps);
    if (!render::writePng(operands[0], session.frame(), session.scene().hitMap))
        cli::failIo("cannot write " + operands[0]);
    return cli::kExitOk;
}

}  // namespace

int main(int argc, char** argv) { return cli::runTool({"render_scene", kHelp}, {argv + 1, argv + argc}, run); }

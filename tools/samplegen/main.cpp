// samplegen: renders the sample video's pictures and writes them as Y4M, for
// `vk6 encode` (the build makes intro.xqm this way), players and encoders.

#include <charconv>
#include <string>

#include "media/file_handle.h"
#include "media/y4m_writer.h"
#include "support/file_error.h"
#include "tools/cli/arguments.h"
#include "tools/cli/failure.h"
#include "tools/cli/progress.h"
#include "tools/cli/tool.h"
#include "tools/samplegen/intro_clip.h"

namespace {

constexpr std::string_view kHelp =
    "Usage: samplegen [-n FRAMES] [-o OUT.y4m] [--quiet]\n"
    "Renders the sample video (a title over a drifting starfield and planet,\n"
    "640 x 480 at 15 frames per second, the same pictures on every machine) and\n"
    "writes it as 8-bit 4:4:4 Y4M.\n"
    "\n"
    "  -n, --frames N    how many frames (default 60: four seconds)\n"
    "  -o, --output OUT  the Y4M file, '-' for standard output (the default)\n"
    "  -q, --quiet       no progress bar\n"
    "  -h, --help        show this help\n"
    "      --version     show the version\n"
    "\n"
    "Exit codes: 0 done, 2 usage error, 3 the output cannot be written.\n";

constexpr cli::OptionSpec kOptions[] = {{"--frames", 'n', true}, {"--output", 'o', true}, {"--quiet", 'q', false}};

int frameCount(const cli::Arguments& arguments) {
    const std::string text = arguments.value("--frames").value_or("60");
    int count = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), count);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || count < 1 || count > 100000)
        cli::failUsage("--frames takes a number from 1 to 100000, not '" + text + "'");
    return count;
}

int run(std::span<char* const> args) {
    const cli::Arguments arguments(args, kOptions);
    if (!arguments.operands().empty()) cli::failUsage("unexpected operand '" + arguments.operands()[0] + "'");
    const int count = frameCount(arguments);
    const std::string output = arguments.value("--output").value_or("-");
    try {
        const samplegen::IntroClip clip(count);
        media::FileHandle file(output, "wb");
        media::Y4mWriter writer(file.get(), output, samplegen::kClipWidth, samplegen::kClipHeight, {15, 1});
        cli::Progress progress("rendering", count, arguments.flag("--quiet"));
        media::RgbPicture picture;
        picture.resize(samplegen::kClipWidth, samplegen::kClipHeight);
        for (int index = 0; index < count; ++index) {
            picture.rgb = clip.frame(index);
            writer.write(picture);
            progress.update(index + 1);
        }
        file.close();
    } catch (const support::FileError& error) {
        cli::failIo(error.what());
    }
    return cli::kExitOk;
}

}  // namespace

int main(int argc, char** argv) { return cli::runTool({"samplegen", kHelp}, {argv + 1, argv + argc}, run); }

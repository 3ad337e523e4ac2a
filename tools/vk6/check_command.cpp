// vk6 check: decodes the whole stream as a player would, writing nothing, and
// lists the frames the decoder abandons.

#include <cstdio>
#include <string>

#include "format/decode_errors.h"
#include "stream/stream_reader.h"
#include "tools/cli/arguments.h"
#include "tools/cli/failure.h"
#include "tools/cli/progress.h"
#include "tools/vk6/commands.h"
#include "tools/vk6/picture_decoder.h"

namespace vk6 {

const std::string_view kCheckHelp =
    "Usage: vk6 check [--quiet] FILE\n"
    "Decodes every frame of the XQM6 stream FILE without writing pictures, and\n"
    "prints a line for each frame the decoder abandons (where and why) and then\n"
    "how many frames there are and how many of them are damaged. A damaged frame\n"
    "shows the previous picture from its failed block on, as in a player, so the\n"
    "frames after it decode as a player shows them.\n"
    "\n"
    "  -q, --quiet    no progress bar\n"
    "  -h, --help     show this help\n"
    "\n"
    "Exit codes: 0 every frame decodes whole, 1 a frame is damaged or the stream is\n"
    "malformed, 2 usage error, 3 FILE cannot be read.\n";

namespace {

constexpr cli::OptionSpec kCheckOptions[] = {{"--quiet", 'q', false}};

}  // namespace

int check(std::span<char* const> args) {
    const cli::Arguments arguments(args, kCheckOptions);
    const std::string path = arguments.operands(1, "FILE")[0];
    auto reader = stream::StreamReader::openFile(path);
    const uint32_t frames = reader.info().frameCount;
    PictureDecoder decoder(reader.info());
    cli::Progress progress("checking", frames, arguments.flag("--quiet"));
    std::vector<uint8_t> frame;
    uint32_t damaged = 0;
    for (uint32_t number = 0; number < frames; ++number) {
        reader.readFrame(number, frame);
        if (!decoder.decode(frame)) {
            std::printf("%s\n", format::frameFailureLine(path, number, decoder.failure()).c_str());
            ++damaged;
        }
        progress.update(number + 1);
    }
    std::printf("%u frame%s, %u damaged\n", unsigned(frames), frames == 1 ? "" : "s", unsigned(damaged));
    return damaged == 0 ? cli::kExitOk : cli::kExitBadInput;
}

}  // namespace vk6

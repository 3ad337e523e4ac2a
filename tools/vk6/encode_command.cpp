// vk6 encode: a Y4M file or PNG sequence as an XQM6 stream. The input side is
// here; the encoder itself is wired in at encodeVideo().

#include <charconv>
#include <string>

#include "commands.h"
#include "common/arguments.h"
#include "common/failure.h"
#include "input_video.h"

namespace vk6tool {

const std::string_view kEncodeHelp =
    "Usage: vk6 encode INPUT -o OUT.xqm [--rate N/D] [--quiet]\n"
    "Encodes a video as an XQM6 stream. INPUT is a Y4M file (8-bit 4:2:0, 4:2:2 or\n"
    "4:4:4; '-' for standard input) or a PNG sequence named with its frame number,\n"
    "such as clip/f%03d.png, numbered from the first of 0 to 4 that exists. The\n"
    "pictures must be 640 pixels wide with an even height from 2 to 2048.\n"
    "\n"
    "  -o, --output OUT  the stream file\n"
    "  -r, --rate N/D    frames per second of a PNG sequence (default 25/1)\n"
    "  -q, --quiet       no progress bar\n"
    "  -h, --help        show this help\n"
    "\n"
    "This build reads and checks the input but has no encoder yet.\n"
    "Exit codes: 0 done, 1 bad input, 2 usage error or no encoder, 3 input/output error.\n";

namespace {

constexpr orv::cli::OptionSpec kOptions[] = {
    {"--output", 'o', true}, {"--rate", 'r', true}, {"--quiet", 'q', false}};

media::Rate parseRate(const std::optional<std::string>& text) {
    if (!text) return {25, 1};
    media::Rate rate{0, 1};
    const std::string_view value = *text;
    const size_t slash = value.find('/');
    auto parse = [](std::string_view digits, uint32_t& out) {
        const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), out);
        return !digits.empty() && result.ec == std::errc() && result.ptr == digits.data() + digits.size();
    };
    const bool good = parse(value.substr(0, slash), rate.numerator) &&
                      (slash == std::string_view::npos || parse(value.substr(slash + 1), rate.denominator));
    if (!good || rate.numerator == 0 || rate.denominator == 0)
        orv::cli::failUsage("--rate takes N/D or N with positive numbers, not '" + *text + "'");
    return rate;
}

// The encoder library (encoder/, vk6enc::Encoder) plugs in here: each RGB
// picture of the input becomes a frame for a StreamWriter on `output`.
[[noreturn]] void encodeVideo(media::FrameSource&, const std::string& output) {
    orv::cli::failUsage("cannot write " + output + ": this build has no encoder yet");
}

}  // namespace

int encode(std::span<char* const> args) {
    const orv::cli::Arguments arguments(args, kOptions);
    const std::string input = arguments.operands(1, "INPUT")[0];
    const std::string output = arguments.required("--output", "-o OUT.xqm");
    const auto source = openInputVideo(input, parseRate(arguments.value("--rate")));
    encodeVideo(*source, output);
}

}  // namespace vk6tool

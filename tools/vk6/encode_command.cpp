// vk6 encode: a Y4M file or PNG sequence as an XQM6 stream.

#include <algorithm>
#include <charconv>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "commands.h"
#include "common/arguments.h"
#include "common/failure.h"
#include "common/progress.h"
#include "input_video.h"
#include "stream/stream_writer.h"
#include "vk6enc/encoder.h"

namespace vk6tool {

const std::string_view kEncodeHelp =
    "Usage: vk6 encode INPUT -o OUT.xqm [--quality Q] [--type 15|16] [--rate N/D]\n"
    "                  [--intra-every K] [--threads N] [--quiet]\n"
    "Encodes a video as an XQM6 stream. INPUT is a Y4M file (8-bit 4:2:0, 4:2:2 or\n"
    "4:4:4; '-' for standard input) or a PNG sequence named with its frame number,\n"
    "such as clip/f%03d.png, numbered from the first of 0 to 4 that exists. The\n"
    "pictures must be 640 pixels wide with an even height from 2 to 2048.\n"
    "\n"
    "  -o, --output OUT     the stream file\n"
    "      --quality Q      1 (smallest) to 100 (best), default 75\n"
    "      --type T         16 for 5-6-5 pixels (default), 15 for 5-5-5\n"
    "  -r, --rate N/D       frames per second of the stream (default: the Y4M file's\n"
    "                       own rate, 25/1 for a PNG sequence)\n"
    "      --intra-every K  an intra frame every K frames, where a player may start\n"
    "                       (default 0: only the first)\n"
    "      --threads N      threads coding each frame, 1 to 64 (default: one per\n"
    "                       core); the stream is the same for any number\n"
    "  -q, --quiet          no progress bar\n"
    "  -h, --help           show this help\n"
    "\n"
    "Exit codes: 0 done, 1 bad input, 2 usage error, 3 input/output error.\n";

namespace {

constexpr orv::cli::OptionSpec kOptions[] = {{"--output", 'o', true},       {"--quality", 0, true},
                                              {"--type", 0, true},          {"--rate", 'r', true},
                                              {"--intra-every", 0, true},   {"--threads", 0, true},
                                              {"--quiet", 'q', false}};

bool parseNumber(std::string_view digits, uint32_t& out) {
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), out);
    return !digits.empty() && result.ec == std::errc() && result.ptr == digits.data() + digits.size();
}

std::optional<media::Rate> parseRate(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    media::Rate rate{0, 1};
    const std::string_view value = *text;
    const size_t slash = value.find('/');
    const bool good = parseNumber(value.substr(0, slash), rate.numerator) &&
                      (slash == std::string_view::npos || parseNumber(value.substr(slash + 1), rate.denominator));
    if (!good || rate.numerator == 0 || rate.denominator == 0)
        orv::cli::failUsage("--rate takes N/D or N with positive numbers, not '" + *text + "'");
    return rate;
}

int parseBounded(const orv::cli::Arguments& arguments, std::string_view name, uint32_t low, uint32_t high,
                 uint32_t fallback) {
    const std::optional<std::string> text = arguments.value(name);
    if (!text) return int(fallback);
    uint32_t value = 0;
    if (!parseNumber(*text, value) || value < low || value > high)
        orv::cli::failUsage(std::string(name) + " takes a number from " + std::to_string(low) + " to " +
                            std::to_string(high) + ", not '" + *text + "'");
    return int(value);
}

vk6enc::EncoderSettings settingsFrom(const orv::cli::Arguments& arguments, int height) {
    vk6enc::EncoderSettings settings;
    settings.height = height;
    settings.quality = parseBounded(arguments, "--quality", 1, 100, uint32_t(settings.quality));
    settings.intraEvery = parseBounded(arguments, "--intra-every", 0, 1000000, uint32_t(settings.intraEvery));
    const uint32_t cores = std::clamp(std::thread::hardware_concurrency(), 1u, 64u);
    settings.threads = parseBounded(arguments, "--threads", 1, 64, cores);
    const std::optional<std::string> type = arguments.value("--type");
    if (type && *type != "15" && *type != "16") orv::cli::failUsage("--type takes 15 or 16, not '" + *type + "'");
    settings.pixelType = type ? std::stoi(*type) : 16;
    return settings;
}

// The frames are kept until the input ends: the file's index is written in
// front of them, and a Y4M input does not say how many frames it holds.
std::vector<std::vector<uint8_t>> encodeFrames(media::FrameSource& source, const vk6enc::EncoderSettings& settings,
                                               bool quiet) {
    vk6enc::Encoder encoder(settings);
    std::vector<std::vector<uint8_t>> frames;
    orv::cli::Progress progress("encoding", 0, quiet);
    media::RgbPicture picture;
    while (source.next(picture)) {
        frames.push_back(encoder.encode(picture.rgb.data()).bytes);
        progress.update(frames.size());
    }
    return frames;
}

void writeStream(const std::string& output, const xqm::StreamInfo& info,
                 const std::vector<std::vector<uint8_t>>& frames) {
    std::ofstream file(output, std::ios::binary | std::ios::trunc);
    if (!file) orv::cli::failIo("cannot create " + output);
    xqm::StreamWriter writer(file, output, info, uint32_t(frames.size()));
    for (const std::vector<uint8_t>& frame : frames) writer.addFrame(frame);
    writer.finish();
    file.close();
    if (!file) orv::cli::failIo("cannot write " + output);
}

}  // namespace

int encode(std::span<char* const> args) {
    const orv::cli::Arguments arguments(args, kOptions);
    const std::string input = arguments.operands(1, "INPUT")[0];
    const std::string output = arguments.required("--output", "-o OUT.xqm");
    if (output == "-") orv::cli::failUsage("the stream is written to a file, not to standard output");
    const std::optional<media::Rate> rate = parseRate(arguments.value("--rate"));
    const auto source = openInputVideo(input, rate.value_or(media::Rate{25, 1}));
    const vk6enc::EncoderSettings settings = settingsFrom(arguments, source->height());

    const auto frames = encodeFrames(*source, settings, arguments.flag("--quiet"));
    if (frames.empty()) orv::cli::failInput(input + ": no pictures");
    xqm::StreamInfo info;
    info.pixelType = uint16_t(settings.pixelType);
    info.height = uint16_t(source->height());
    const media::Rate streamRate = rate.value_or(source->rate());
    info.rate = {streamRate.numerator, streamRate.denominator};
    writeStream(output, info, frames);
    return orv::cli::kExitOk;
}

}  // namespace vk6tool

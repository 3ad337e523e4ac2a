#include "tools/vk6/encode_options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <thread>

#include "encoder/presets.h"
#include "format/frame_header.h"
#include "tools/cli/arguments.h"
#include "tools/cli/failure.h"

namespace vk6 {

namespace {

constexpr cli::OptionSpec kEncodeOptions[] = {
    {"--output", 'o', true}, {"--quality", 0, true},     {"--bitrate", 0, true},    {"--type", 0, true},
    {"--rate", 'r', true},   {"--intra-every", 0, true}, {"--scene-cuts", 0, true}, {"--max-frame-bytes", 0, true},
    {"--preset", 0, true},   {"--pass", 0, true},        {"--stats", 0, true},      {"--threads", 0, true},
    {"--quiet", 'q', false}};

constexpr double kMostBitrate = 1e10;

bool parseNumber(std::string_view digits, uint32_t& out) {
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), out);
    return !digits.empty() && result.ec == std::errc() && result.ptr == digits.data() + digits.size();
}

std::optional<support::FrameRate> parseRate(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    support::FrameRate rate{0, 1};
    const std::string_view value = *text;
    const size_t slash = value.find('/');
    const bool good = parseNumber(value.substr(0, slash), rate.numerator) &&
                      (slash == std::string_view::npos || parseNumber(value.substr(slash + 1), rate.denominator));
    if (!good || rate.numerator == 0 || rate.denominator == 0)
        cli::failUsage("--rate takes N/D or N with positive numbers, not '" + *text + "'");
    return rate;
}

int parseBounded(const cli::Arguments& arguments, std::string_view name, uint32_t low, uint32_t high,
                 uint32_t fallback) {
    const std::optional<std::string> text = arguments.value(name);
    if (!text) return int(fallback);
    uint32_t value = 0;
    if (!parseNumber(*text, value) || value < low || value > high)
        cli::failUsage(std::string(name) + " takes a number from " + std::to_string(low) + " to " +
                       std::to_string(high) + ", not '" + *text + "'");
    return int(value);
}

// Digits with an optional fraction and an optional k (thousand) or M (million).
std::optional<double> parseBitrate(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    std::string_view digits = *text;
    double scale = 1;
    if (!digits.empty() && (digits.back() == 'k' || digits.back() == 'M')) {
        scale = digits.back() == 'k' ? 1e3 : 1e6;
        digits.remove_suffix(1);
    }
    double value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::fixed);
    const bool plain = !digits.empty() && digits.find_first_not_of("0123456789.") == std::string_view::npos;
    if (!plain || result.ec != std::errc() || result.ptr != digits.data() + digits.size() || !(value * scale >= 1) ||
        value * scale > kMostBitrate)
        cli::failUsage("--bitrate takes bits per second from 1 to 10000M, such as 800k or 1.5M, not '" + *text + "'");
    return value * scale;
}

// One of the words, or the fallback when the option is not given.
template <class Value, size_t N>
Value parseChoice(const cli::Arguments& arguments, std::string_view name,
                  const std::pair<std::string_view, Value> (&choices)[N], Value fallback) {
    const std::optional<std::string> text = arguments.value(name);
    if (!text) return fallback;
    std::string words;
    for (const auto& [word, value] : choices) {
        if (*text == word) return value;
        words += (words.empty() ? "" : "|") + std::string(word);
    }
    cli::failUsage(std::string(name) + " takes " + words + ", not '" + *text + "'");
}

void checkPasses(const cli::Arguments& arguments, const EncodeOptions& options) {
    if (options.pass == 0) {
        if (arguments.value("--stats")) cli::failUsage("--stats belongs to --pass 1 or 2");
        return;
    }
    if (options.stats.empty()) cli::failUsage("--pass " + std::to_string(options.pass) + " needs --stats FILE");
    if (options.pass == 1) {
        for (const char* sizing : {"--quality", "--bitrate", "--max-frame-bytes"})
            if (arguments.value(sizing))
                cli::failUsage(std::string("the first pass measures at fixed qualities: ") + sizing +
                               " belongs to --pass 2");
    } else if (!options.bitrate) {
        cli::failUsage("--pass 2 needs --bitrate");
    }
}

}  // namespace

EncodeOptions parseEncodeOptions(std::span<char* const> args) {
    const cli::Arguments arguments(args, kEncodeOptions);
    EncodeOptions options;
    options.input = arguments.operands(1, "INPUT")[0];
    options.pass = parseBounded(arguments, "--pass", 1, 2, 0);
    options.stats = arguments.value("--stats").value_or("");
    options.output =
        options.pass == 1 ? arguments.value("--output").value_or("") : arguments.required("--output", "-o OUT.xqm");
    if (options.output == "-") cli::failUsage("the stream is written to a file, not to standard output");
    options.rate = parseRate(arguments.value("--rate"));
    options.bitrate = parseBitrate(arguments.value("--bitrate"));
    if (options.bitrate && arguments.value("--quality"))
        cli::failUsage("--quality and --bitrate each decide the frames' qualities: give one");
    options.quiet = arguments.flag("--quiet");
    checkPasses(arguments, options);

    encoder::VideoSettings& video = options.video;
    encoder::EncoderSettings& encoder = video.encoder;
    encoder.quality = options.pass == 1 ? encoder::kFirstPassQuality
                                        : parseBounded(arguments, "--quality", format::kLowestQuality,
                                                       format::kHighestQuality, uint32_t(encoder.quality));
    encoder.intraEvery = parseBounded(arguments, "--intra-every", 0, 1000000, uint32_t(encoder.intraEvery));
    encoder.pixelType = parseChoice<int>(arguments, "--type", {{"15", 15}, {"16", 16}}, 16);
    encoder::applyPreset(
        parseChoice<encoder::Preset>(
            arguments, "--preset",
            {{"fast", encoder::Preset::Fast}, {"medium", encoder::Preset::Medium}, {"slow", encoder::Preset::Slow}},
            encoder::Preset::Medium),
        encoder);
    const uint32_t cores = std::clamp(std::thread::hardware_concurrency(), 1u, 64u);
    encoder.threads = parseBounded(arguments, "--threads", 1, 64, cores);
    video.sceneCuts = parseChoice<bool>(arguments, "--scene-cuts", {{"on", true}, {"off", false}}, true);
    video.maxFrameBytes = size_t(parseBounded(arguments, "--max-frame-bytes", 1, INT32_MAX, 0));
    return options;
}

}  // namespace vk6

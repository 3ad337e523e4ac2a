// vk6 decode: the stream's pictures as PNG files, Y4M, raw frames or framemd5.

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

#include "format/decode_errors.h"
#include "media/picture_sinks.h"
#include "stream/stream_reader.h"
#include "tools/cli/arguments.h"
#include "tools/cli/failure.h"
#include "tools/cli/progress.h"
#include "tools/cli/tool.h"
#include "tools/vk6/commands.h"
#include "tools/vk6/frame_range.h"
#include "tools/vk6/picture_decoder.h"

namespace vk6 {

const std::string_view kDecodeHelp =
    "Usage: vk6 decode FILE -o OUT [--format png|y4m|raw|framemd5] [--frames FIRST-LAST]\n"
    "                  [--keep-going] [--quiet]\n"
    "Decodes the XQM6 stream FILE. Every picture has the stream's height in rows.\n"
    "\n"
    "  -o, --output OUT   where the pictures go; '-' for standard output\n"
    "  -f, --format F     png       one PNG file per frame (8-bit RGB); OUT is a pattern\n"
    "                               with the frame number, such as out/f%04d.png\n"
    "                     y4m       YUV4MPEG2, 4:4:4 (C444), BT.601 limited range\n"
    "                     raw       the frames in the stream's pixel format, exactly:\n"
    "                               rgb565le (type 16) or rgb555le (type 15)\n"
    "                     framemd5  an MD5 per raw frame, as ffmpeg's framemd5 writes it\n"
    "                     Without --format, OUT's extension (.png, .y4m, .raw, .framemd5)\n"
    "                     chooses.\n"
    "      --frames R     only frames R: FIRST-LAST, FIRST- or N, numbered from 0; the\n"
    "                     frames before them are decoded too\n"
    "  -k, --keep-going   go on after a frame the decoder abandons (from the failed\n"
    "                     block on it shows the previous picture); the exit code is\n"
    "                     still 1\n"
    "  -q, --quiet        no progress bar\n"
    "  -h, --help         show this help\n"
    "\n"
    "Exit codes: 0 done, 1 the stream is malformed or a frame was abandoned,\n"
    "2 usage error, 3 a file cannot be read or written.\n";

namespace {

constexpr cli::OptionSpec kDecodeOptions[] = {{"--output", 'o', true},
                                              {"--format", 'f', true},
                                              {"--frames", 0, true},
                                              {"--keep-going", 'k', false},
                                              {"--quiet", 'q', false}};

bool hasExtension(std::string_view path, std::string_view extension) {
    return path.size() > extension.size() && path.ends_with(extension) &&
           path[path.size() - extension.size() - 1] == '.';
}

using media::OutputFormat;

OutputFormat chooseFormat(const std::optional<std::string>& format, const std::string& output) {
    struct Name {
        std::string_view name;
        OutputFormat format;
    };
    static constexpr Name kNames[] = {{"png", OutputFormat::Png},
                                      {"y4m", OutputFormat::Y4m},
                                      {"raw", OutputFormat::Raw},
                                      {"framemd5", OutputFormat::FrameMd5}};
    for (const Name& name : kNames) {
        if (format ? *format == name.name : hasExtension(output, name.name)) return name.format;
    }
    if (format) cli::failUsage("unknown format '" + *format + "' (png, y4m, raw or framemd5)");
    cli::failUsage("say the output's format with --format");
}

// A PNG pattern without a number is a usage error.
std::unique_ptr<media::PictureSink> openOutput(OutputFormat format, const std::string& output,
                                               const stream::StreamInfo& info) {
    try {
        return media::openSink(format, output, info, "vk6 " + std::string(cli::version()));
    } catch (const std::invalid_argument& error) {
        cli::failUsage(error.what());
    }
}

}  // namespace

int decode(std::span<char* const> args) {
    const cli::Arguments arguments(args, kDecodeOptions);
    const std::string path = arguments.operands(1, "FILE")[0];
    const std::string output = arguments.required("--output", "-o OUT");
    const OutputFormat format = chooseFormat(arguments.value("--format"), output);
    const bool keepGoing = arguments.flag("--keep-going");

    auto reader = stream::StreamReader::openFile(path);
    const stream::StreamInfo& info = reader.info();
    const FrameRange range = parseFrameRange(arguments.value("--frames"), info.frameCount);
    const auto sink = openOutput(format, output, info);
    // Every picture depends on the frames before it, back to frame 0.
    PictureDecoder decoder(info);
    cli::Progress progress("decoding", range.end, arguments.flag("--quiet"));
    std::vector<uint8_t> frame;
    bool abandoned = false;
    for (uint32_t number = 0; number < range.end; ++number) {
        reader.readFrame(number, frame);
        if (!decoder.decode(frame)) {
            const std::string message = format::frameFailureLine(path, number, decoder.failure());
            if (!keepGoing) {
                sink->finish();
                cli::failInput(message);
            }
            std::fprintf(stderr, "vk6 decode: %s\n", message.c_str());
            abandoned = true;
        }
        if (number >= range.first) sink->write(decoder.picture(), number);
        progress.update(number + 1);
    }
    sink->finish();
    return abandoned ? cli::kExitBadInput : cli::kExitOk;
}

}  // namespace vk6

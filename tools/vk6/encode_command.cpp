// vk6 encode: a Y4M file or PNG sequence as an XQM6 stream.

#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "encoder/video_encoder.h"
#include "media/file_handle.h"
#include "stream/stream_writer.h"
#include "tools/cli/failure.h"
#include "tools/cli/progress.h"
#include "tools/vk6/commands.h"
#include "tools/vk6/encode_options.h"
#include "tools/vk6/first_pass_file.h"
#include "tools/vk6/input_video.h"

namespace vk6 {

const std::string_view kEncodeHelp =
    "Usage: vk6 encode INPUT -o OUT.xqm [--quality Q | --bitrate RATE]\n"
    "                  [--max-frame-bytes N] [--type 15|16] [--rate N/D]\n"
    "                  [--intra-every K] [--scene-cuts on|off]\n"
    "                  [--preset fast|medium|slow] [--pass 1|2 --stats FILE]\n"
    "                  [--threads N] [--quiet]\n"
    "Encodes a video as an XQM6 stream. INPUT is a Y4M file (8-bit 4:2:0, 4:2:2 or\n"
    "4:4:4; '-' for standard input) or a PNG sequence named with its frame number,\n"
    "such as clip/f%03d.png, numbered from the first of 0 to 4 that exists. The\n"
    "pictures must be 640 pixels wide with an even height from 2 to 2048.\n"
    "\n"
    "  -o, --output OUT         the stream file (a first pass may leave it out)\n"
    "      --quality Q          every frame at quality Q: 1 (smallest) to 100 (best);\n"
    "                           the default, at 75\n"
    "      --bitrate RATE       each frame at the quality that brings the frames to an\n"
    "                           average of RATE bits per second (such as 800k or\n"
    "                           1.5M): the frames' bytes, without the file's header\n"
    "                           and index (32 bytes and 16 per frame). Closest when\n"
    "                           the number of frames is known: a PNG sequence, a Y4M\n"
    "                           file rather than a pipe, or a second pass. Where\n"
    "                           even quality 1 is over RATE, predicted frames\n"
    "                           repeat the previous picture, spread evenly, as often\n"
    "                           as it takes\n"
    "      --max-frame-bytes N  no frame over N bytes: one over is coded again at a\n"
    "                           lower quality, then with ever cheaper copies; when\n"
    "                           even that does not fit, the encoding fails (exit 1)\n"
    "      --type T             16 for 5-6-5 pixels (default), 15 for 5-5-5\n"
    "  -r, --rate N/D           frames per second of the stream (default: the Y4M\n"
    "                           file's own rate, 25/1 for a PNG sequence)\n"
    "      --intra-every K      an intra frame, where a player may start, at the\n"
    "                           latest K frames after the last one, scene cuts\n"
    "                           included (default 0: only the first and the cuts)\n"
    "      --scene-cuts on|off  a frame that half of its blocks or more cannot be\n"
    "                           predicted from the frame before becomes an intra\n"
    "                           frame (default on)\n"
    "      --preset P           search effort, trading time for size at the same\n"
    "                           quality: fast weighs 1 copy source per block in each\n"
    "                           picture, no mirrored or turned copies, and no DCT\n"
    "                           coding where a copy costs up to twice the cheapest\n"
    "                           DCT block; medium (the default) 4 sources in the\n"
    "                           previous picture and 3 in the new one, the best one\n"
    "                           mirrored and turned; slow 16 and 12, the best 8\n"
    "                           mirrored and turned (about twice medium's time)\n"
    "      --pass 1|2           two passes for --bitrate, over the same INPUT: the\n"
    "                           first codes every frame at quality 75 and 1 and\n"
    "                           writes what each took to --stats (it takes no\n"
    "                           --quality, --bitrate or --max-frame-bytes); the\n"
    "                           second spends the bitrate where the first found the\n"
    "                           detail, with the frame kinds the first chose\n"
    "      --stats FILE         the first pass's statistics\n"
    "      --threads N          threads coding each frame, 1 to 64 (default: one per\n"
    "                           core); the stream is the same for any number\n"
    "  -q, --quiet              no progress line\n"
    "  -h, --help               show this help\n"
    "\n"
    "Exit codes: 0 done, 1 bad input, 2 usage error, 3 input/output error.\n";

namespace {

// Encodes every frame; with `firstPass`, measures them too. The frames are
// kept until the input ends: the file's index is written in front of them,
// and a Y4M input may not say how many frames it holds.
std::vector<std::vector<uint8_t>> encodeFrames(media::FrameSource& source, encoder::VideoEncoder& encoder,
                                               double framesPerSecond, uint64_t frameCount, bool quiet,
                                               std::vector<encoder::FirstPassFrame>* firstPass) {
    std::vector<std::vector<uint8_t>> frames;
    cli::Progress progress("encoding", frameCount, quiet);
    progress.showSpeed("fps");
    media::RgbPicture picture;
    double bytes = 0;
    while (source.next(picture)) {
        encoder::FirstPassFrame measured;
        frames.push_back(encoder.encode(picture.rgb.data(), firstPass ? &measured : nullptr).bytes);
        if (firstPass) firstPass->push_back(measured);
        bytes += double(frames.back().size());
        const double kbits = bytes * 8 / 1000 * framesPerSecond / double(frames.size());
        progress.update(frames.size(), std::to_string(std::lround(kbits)) + " kbit/s");
    }
    return frames;
}

void writeStream(const std::string& output, const stream::StreamInfo& info,
                 const std::vector<std::vector<uint8_t>>& frames) {
    // Whole in memory first: the writer seeks back to the index.
    std::ostringstream stream(std::ios::binary);
    stream::StreamWriter writer(stream, output, info, uint32_t(frames.size()));
    for (const std::vector<uint8_t>& frame : frames) writer.addFrame(frame);
    writer.finish();
    const std::string bytes = std::move(stream).str();
    media::FileHandle file(output, "wb");
    file.write(bytes.data(), bytes.size());
    file.close();
}

}  // namespace

int encode(std::span<char* const> args) {
    const EncodeOptions options = parseEncodeOptions(args);
    std::optional<FirstPassStats> planned;
    if (options.pass == 2) planned = readFirstPass(options.stats);
    const auto source = openInputVideo(options.input, options.rate.value_or(support::FrameRate{25, 1}));
    if (planned && planned->height != source->height())
        cli::failInput(options.stats + ": the first pass saw pictures of " + std::to_string(planned->height) +
                       " rows, " + options.input + " has " + std::to_string(source->height()));
    const support::FrameRate streamRate = options.rate.value_or(source->rate());
    const double framesPerSecond = double(streamRate.numerator) / streamRate.denominator;
    const uint64_t frameCount = planned ? planned->frames.size() : source->frameCount().value_or(0);

    encoder::VideoSettings settings = options.video;
    settings.encoder.height = source->height();
    std::optional<encoder::RateControl> rate;
    if (planned) {
        rate.emplace(*options.bitrate, framesPerSecond, planned->frames);
    } else if (options.bitrate) {
        rate.emplace(*options.bitrate, framesPerSecond, frameCount, settings.encoder.intraEvery);
    }
    encoder::VideoEncoder encoder(settings, std::move(rate));
    FirstPassStats measured{source->height(), {}};
    std::vector<std::vector<uint8_t>> frames;
    try {
        frames = encodeFrames(*source, encoder, framesPerSecond, frameCount, options.quiet,
                              options.pass == 1 ? &measured.frames : nullptr);
    } catch (const encoder::EncodeError& error) {
        cli::failInput(options.input + ": " + error.what());
    }
    if (frames.empty()) cli::failInput(options.input + ": no pictures");
    if (planned && frames.size() != planned->frames.size())
        cli::failInput(options.input + ": " + std::to_string(frames.size()) + " frames, the first pass saw " +
                       std::to_string(planned->frames.size()));
    if (options.pass == 1) writeFirstPass(options.stats, measured);
    if (options.output.empty()) return cli::kExitOk;
    stream::StreamInfo info;
    info.pixelType = uint16_t(settings.encoder.pixelType);
    info.height = uint16_t(source->height());
    info.rate = streamRate;
    writeStream(options.output, info, frames);
    return cli::kExitOk;
}

}  // namespace vk6

// vk6 thumbnail: one picture of the video, made small, as a PNG, for file
// managers (the desktop's thumbnailer entry runs it).

#include <algorithm>
#include <string>

#include "media/decoded_pixels.h"
#include "media/file_handle.h"
#include "media/picture_scaling.h"
#include "media/png_file.h"
#include "stream/stream_reader.h"
#include "tools/cli/arguments.h"
#include "tools/cli/failure.h"
#include "tools/vk6/commands.h"
#include "tools/vk6/picture_decoder.h"

namespace vk6 {

const std::string_view kThumbnailHelp =
    "Usage: vk6 thumbnail FILE -o OUT.png [--size N]\n"
    "Writes one picture of the XQM6 stream FILE as a PNG no larger than N x N\n"
    "pixels, its shape kept: the frame a third of the way in, or when that one\n"
    "is of one flat colour (a fade, a black screen), the first frame after it\n"
    "that is not.\n"
    "\n"
    "  -o, --output OUT   the PNG file\n"
    "  -s, --size N       the largest width and height, 1 to 4096 (default 256)\n"
    "  -h, --help         show this help\n"
    "\n"
    "Exit codes: 0 done, 1 the stream is malformed, 2 usage error, 3 a file cannot\n"
    "be read or written.\n";

namespace {

constexpr cli::OptionSpec kThumbnailOptions[] = {{"--output", 'o', true}, {"--size", 's', true}};

int parseSize(const std::optional<std::string>& text) {
    if (!text) return 256;
    size_t used = 0;
    int size = 0;
    try {
        size = std::stoi(*text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != text->size() || size < 1 || size > 4096)
        cli::failUsage("--size must be a number from 1 to 4096, not '" + *text + "'");
    return size;
}

// Whether every pixel is near one colour: such a frame shows nothing.
bool flat(const media::RgbPicture& picture) {
    const auto [low, high] = std::minmax_element(picture.rgb.begin(), picture.rgb.end());
    return picture.rgb.empty() || *high - *low < 24;
}

}  // namespace

int thumbnail(std::span<char* const> args) {
    const cli::Arguments arguments(args, kThumbnailOptions);
    const std::string path = arguments.operands(1, "FILE")[0];
    const std::string output = arguments.required("--output", "-o OUT.png");
    const int size = parseSize(arguments.value("--size"));

    auto reader = stream::StreamReader::openFile(path);
    const stream::StreamInfo& info = reader.info();
    if (info.frameCount == 0) cli::failInput(path + ": the stream has no frames");
    // Every picture depends on the frames before it, back to frame 0.
    PictureDecoder decoder(info);
    std::vector<uint8_t> frame;
    media::RgbPicture chosen;
    for (uint32_t number = 0; number < info.frameCount; ++number) {
        reader.readFrame(number, frame);
        decoder.decode(frame);
        if (number < info.frameCount / 3) continue;
        media::RgbPicture picture = media::toRgb(decoder.picture(), info);
        if (chosen.rgb.empty()) chosen = picture;
        if (!flat(picture)) {
            chosen = std::move(picture);
            break;
        }
    }
    const media::RgbPicture small = media::scaleToFit(chosen, size);
    media::FileHandle out(output, "wb");
    media::writePng(out.get(), out.name(), small.width, small.height, 3, small.rgb.data());
    out.close();
    return cli::kExitOk;
}

}  // namespace vk6

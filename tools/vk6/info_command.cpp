// vk6 info: the stream's header and a line per frame, with --blocks the block
// codes of each frame and of all of them.

#include <climits>
#include <cstdio>
#include <optional>
#include <string>

#include "format/frame_summary.h"
#include "stream/stream_reader.h"
#include "tools/cli/arguments.h"
#include "tools/cli/failure.h"
#include "tools/cli/progress.h"
#include "tools/vk6/block_census.h"
#include "tools/vk6/commands.h"
#include "tools/vk6/picture_decoder.h"

namespace vk6 {

const std::string_view kInfoHelp =
    "Usage: vk6 info [--blocks] [--quiet] FILE\n"
    "Shows the header of the XQM6 stream FILE, its duration, and for each frame its\n"
    "kind, quality, size and the sizes of its four streams (control bits, vector\n"
    "words, spiral indices, coefficient nibbles; '?' where the frame's offsets\n"
    "leave the frame).\n"
    "\n"
    "  -b, --blocks   also count each frame's block codes by piece shape and action\n"
    "                 (still, spiral, copy-reference, copy-target, dct, split) and\n"
    "                 the symmetries (modes 0-7) of its copies, and sum them up; a\n"
    "                 frame the decoder abandons is counted up to the failed block,\n"
    "                 and a line says where and why\n"
    "  -q, --quiet    no progress bar\n"
    "  -h, --help     show this help\n"
    "\n"
    "Exit codes: 0 done, 1 the stream is malformed, 2 usage error, 3 FILE cannot be read.\n";

namespace {

constexpr cli::OptionSpec kInfoOptions[] = {{"--blocks", 'b', false}, {"--quiet", 'q', false}};

std::string pixelFormat(uint16_t type) { return type == 16 ? "5-6-5" : "5-5-5"; }

std::string streamSize(int64_t size) { return size < 0 ? "?" : std::to_string(size); }

void printHeader(const stream::StreamReader& reader) {
    const stream::StreamInfo& info = reader.info();
    const double seconds = double(info.frameCount) * info.rate.denominator / info.rate.numerator;
    std::printf("%s: XQM6 stream, version 1\n", reader.name().c_str());
    std::printf("picture     %dx%u, %s pixels (type %u)\n", format::kPictureWidth, unsigned(info.height),
                pixelFormat(info.pixelType).c_str(), unsigned(info.pixelType));
    std::printf("frame rate  %u/%u (%.3f frames per second)\n", unsigned(info.rate.numerator),
                unsigned(info.rate.denominator), double(info.rate.numerator) / info.rate.denominator);
    std::printf("frames      %u, %.3f seconds\n\n", unsigned(info.frameCount), seconds);
    std::printf("%8s  %-9s  %7s  %9s  %8s  %8s  %8s  %8s\n", "frame", "kind", "quality", "size", "control", "vector",
                "spiral", "nibbles");
}

// One line per piece shape that occurs, "8x8: still 70, dct 10".
void printCensus(const BlockCensus& census, const char* indent) {
    for (size_t shape = 0; shape < kShapeNames.size(); ++shape) {
        std::string line;
        for (size_t action = 0; action < kActionNames.size(); ++action) {
            const uint64_t count = census.counts[shape][action];
            if (count == 0) continue;
            line += (line.empty() ? "" : ", ") + std::string(kActionNames[action]) + " " + std::to_string(count);
        }
        if (!line.empty()) std::printf("%s%s: %s\n", indent, std::string(kShapeNames[shape]).c_str(), line.c_str());
    }
    std::string modes;
    for (size_t mode = 0; mode < census.copyModes.size(); ++mode)
        if (census.copyModes[mode] != 0)
            modes += (modes.empty() ? "" : ", ") + std::to_string(mode) + ": " + std::to_string(census.copyModes[mode]);
    if (!modes.empty()) std::printf("%scopy modes: %s\n", indent, modes.c_str());
}

// The blocks the decoder took before abandoning the frame.
int blocksBefore(const XQMPI_ErrorReport& report) {
    return report.x < 0 ? 0 : report.y / 8 * format::kBlocksPerRow + report.x / 8;
}

}  // namespace

int info(std::span<char* const> args) {
    const cli::Arguments arguments(args, kInfoOptions);
    const std::string path = arguments.operands(1, "FILE")[0];
    const bool blocks = arguments.flag("--blocks");
    auto reader = stream::StreamReader::openFile(path);
    printHeader(reader);

    cli::Progress progress("reading", reader.info().frameCount, arguments.flag("--quiet"));
    BlockCensus total;
    // The census stops where the decoder does, which needs the pictures too.
    std::optional<PictureDecoder> decoder;
    if (blocks) decoder.emplace(reader.info());
    std::vector<uint8_t> frame;
    for (uint32_t number = 0; number < reader.info().frameCount; ++number) {
        reader.readFrame(number, frame);
        const format::FrameSummary summary = format::summariseFrame(frame);
        std::printf("%8u  %-9s  %7lld  %9llu  %8s  %8s  %8s  %8s\n", unsigned(number),
                    summary.intra ? "intra" : "predicted", static_cast<long long>(summary.quality),
                    static_cast<unsigned long long>(frame.size()), streamSize(summary.streamSizes[0]).c_str(),
                    streamSize(summary.streamSizes[1]).c_str(), streamSize(summary.streamSizes[2]).c_str(),
                    streamSize(summary.streamSizes[3]).c_str());
        if (blocks) {
            const bool whole = decoder->decode(frame);
            const int limit = whole ? INT_MAX : blocksBefore(decoder->report());
            const BlockCensus census = countBlocks(frame, reader.info().height, limit);
            printCensus(census, "          ");
            if (!whole) std::printf("          abandoned: %s\n", decoder->failure().c_str());
            total += census;
        }
        progress.update(number + 1);
    }
    if (blocks) {
        std::printf("\nblocks of all frames\n");
        printCensus(total, "  ");
    }
    return cli::kExitOk;
}

}  // namespace vk6

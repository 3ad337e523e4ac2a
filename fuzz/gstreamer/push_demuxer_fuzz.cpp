// Any bytes as a stream file pushed to the demuxer's core piece by piece: the
// first eight bytes choose the pieces' sizes and the seeks, the rest is the
// file. The core never reads outside what it was given, and it agrees with
// the strict reader on the same bytes: where the reader accepts the file,
// every frame comes whole, equal to the reader's, from every seek; where it
// refuses, a run through the whole file refuses too.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "gstreamer/core/push_demuxer.h"
#include "stream/stream_reader.h"
#include "support/file_error.h"

namespace {

// A small generator driven by the input's first bytes.
struct Choices {
    uint64_t state;
    uint32_t next(uint32_t bound) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return bound == 0 ? 0 : uint32_t(state >> 33) % bound;
    }
};

// Pushes the file in pieces until the run ends, moving to where the core
// asks, with up to `seeks` seeks to random frames; the frames that came and
// their numbers. Throws what the core throws.
void run(gstreamer::PushDemuxer& demuxer, std::span<const uint8_t> file, Choices& choices,
         std::vector<std::vector<uint8_t>>& frames, std::vector<uint32_t>& numbers, int seeks) {
    uint64_t offset = 0;
    for (;;) {
        if (auto needed = demuxer.neededOffset()) {
            offset = *needed;
            demuxer.moved(offset);
        }
        if (offset >= file.size()) return demuxer.end();
        const size_t piece = std::min<size_t>(1 + choices.next(choices.next(2) ? 64 : 40000), file.size() - offset);
        demuxer.push(file.subspan(size_t(offset), piece));
        offset += piece;
        while (auto frame = demuxer.nextFrame()) {
            frames.emplace_back(frame->bytes.begin(), frame->bytes.end());
            numbers.push_back(frame->number);
        }
        if (demuxer.runOver()) return;
        if (seeks > 0 && demuxer.hasIndex() && choices.next(8) == 0) {
            --seeks;
            demuxer.startAt(choices.next(uint32_t(demuxer.index().size()) + 1));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 8) return 0;
    uint64_t seed = 0;
    for (int i = 0; i < 8; ++i) seed = seed << 8 | data[i];
    const std::span<const uint8_t> file(data + 8, size - 8);

    std::optional<stream::StreamReader> reader;
    try {
        reader.emplace(std::make_unique<stream::MemorySource>(file), "input");
    } catch (const support::FileError&) {
    }

    for (const bool sizeKnown : {true, false}) {
        Choices choices{seed};
        gstreamer::PushDemuxer demuxer("input", sizeKnown ? file.size() : stream::kUnknownFileSize);
        std::vector<std::vector<uint8_t>> frames;
        std::vector<uint32_t> numbers;
        const int seeks = sizeKnown ? 0 : 3;
        bool refused = false;
        try {
            run(demuxer, file, choices, frames, numbers, seeks);
        } catch (const support::FileError&) {
            refused = true;
        }
        if (reader) {
            // An accepted file: nothing refused, every frame as the reader has it.
            if (refused) std::abort();
            std::vector<uint8_t> expected;
            for (size_t i = 0; i < frames.size(); ++i) {
                reader->readFrame(numbers[i], expected);
                if (frames[i] != expected) std::abort();
            }
            if (seeks == 0 && frames.size() != reader->info().frameCount) std::abort();
        } else if (seeks == 0 && !refused) {
            // A refused file played through from frame 0 is refused here too.
            std::abort();
        }
    }
    return 0;
}

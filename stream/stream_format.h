#pragma once
// The XQM6 stream file, version 1: a 32-byte header, an index of 16 bytes per
// frame in display order, then the frames, each exactly as the decoder takes
// it. Little-endian throughout; docs/xqm6-stream-file.md has the layout.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "format/frame_header.h"
#include "format/picture.h"
#include "support/frame_rate.h"

namespace stream {

inline constexpr uint16_t kVersion = 1;
inline constexpr uint16_t kMaxHeight = 2048;
inline constexpr uint64_t kHeaderSize = 32;
inline constexpr uint64_t kIndexEntrySize = 16;
inline constexpr uint32_t kIntraFlag = 1;
// "XQM6" and four zero bytes: the file starts with the decoder's header string.
inline constexpr std::array<uint8_t, 8> kMagic = {'X', 'Q', 'M', '6', 0, 0, 0, 0};

struct StreamInfo {
    uint16_t pixelType = 16;  // 15: 5-5-5 pixels, 16: 5-6-5
    uint16_t height = 0;
    support::FrameRate rate;
    uint32_t frameCount = 0;
};

struct IndexEntry {
    uint64_t offset = 0;  // from the start of the file
    uint32_t size = 0;
    uint32_t flags = 0;

    bool intra() const { return (flags & kIntraFlag) != 0; }
};

using HeaderBytes = std::array<uint8_t, kHeaderSize>;
using IndexEntryBytes = std::array<uint8_t, kIndexEntrySize>;

// Zero bytes to put after a frame read from a file before the game's entry
// point, which is not told the frame's size, decodes it: its stream readers
// may look 4 bytes past the end of each stream.
inline constexpr size_t kUnboundedDecodePadding = 16;

// Where the index ends and the frames may begin.
constexpr uint64_t indexEnd(uint32_t frameCount) { return kHeaderSize + kIndexEntrySize * frameCount; }

// What is wrong with the pixel type, height or rate, if anything.
std::optional<std::string> findInfoProblem(const StreamInfo& info);

HeaderBytes encodeHeader(const StreamInfo& info);
IndexEntryBytes encodeIndexEntry(const IndexEntry& entry);
IndexEntry decodeIndexEntry(const uint8_t* bytes);

}  // namespace stream

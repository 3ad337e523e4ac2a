#pragma once
// Small valid streams in memory, and access to their fields for breaking them.

#include <cstdint>
#include <string>
#include <vector>

#include "stream/stream_format.h"

namespace stream::test {

// An intra frame of mid-grey 8x8 blocks, then predicted frames of still
// blocks, one block row high.
std::vector<uint8_t> intraFrame();
std::vector<uint8_t> predictedFrame();

// A stream of the frames, written by StreamWriter.
std::vector<uint8_t> writeStream(const StreamInfo& info, const std::vector<std::vector<uint8_t>>& frames,
                                 uint32_t reservedFrames);
// Intra, predicted, predicted; 5-6-5, height 8, 15 frames per second.
std::vector<uint8_t> threeFrameStream();

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes);

void put16(std::vector<uint8_t>& bytes, size_t at, uint16_t value);
void put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value);
void put64(std::vector<uint8_t>& bytes, size_t at, uint64_t value);
// Byte position of a field of index entry `frame`: offset, size or flags.
inline size_t entryOffsetAt(uint32_t frame) { return 32 + 16 * frame; }
inline size_t entrySizeAt(uint32_t frame) { return 32 + 16 * frame + 8; }
inline size_t entryFlagsAt(uint32_t frame) { return 32 + 16 * frame + 12; }

}  // namespace stream::test

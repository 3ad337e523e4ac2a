#pragma once
// Writes an XQM6 stream file: the header, room for the index of a number of
// frames stated up front, then the frames one after another as they come;
// finish() fills in the frame count and the index. The same frames give the
// same bytes. A frame's intra flag is taken from its quality word.

#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "stream/stream_format.h"

namespace stream {

class StreamWriter {
public:
    // out must be seekable; name is how messages call it. info.frameCount is
    // ignored: the count is that of the frames added. Throws support::FileError
    // (Format) for a pixel type, height or rate out of range.
    StreamWriter(std::ostream& out, std::string name, const StreamInfo& info, uint32_t reservedFrames);

    // Throws support::FileError: Format for a frame shorter than its header or one
    // more than reserved, Io when the output fails.
    void addFrame(std::span<const uint8_t> frame);
    // Writes the header with the frame count and the index. Index entries
    // reserved but not used stay zero, in the gap before the first frame.
    void finish();

private:
    void write(std::span<const uint8_t> bytes);

    std::ostream& out_;
    std::string name_;
    StreamInfo info_;
    uint32_t reservedFrames_;
    uint64_t end_ = 0;  // where the next frame goes
    std::vector<IndexEntry> index_;
};

}  // namespace stream

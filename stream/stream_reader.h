#pragma once
// The strict reader of an XQM6 stream file. Opening checks the header, the
// whole index and every frame's kind against its flag; every problem is a
// support::FileError that names the file and, where one is at fault, the frame.
// Frames are then read one at a time from the source.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "stream/byte_source.h"
#include "stream/stream_checks.h"
#include "stream/stream_format.h"

namespace stream {

class StreamReader {
public:
    // name: how messages call the source (the file's path).
    StreamReader(std::unique_ptr<ByteSource> source, std::string name);
    static StreamReader openFile(const std::string& path);

    const std::string& name() const { return checks_.name(); }
    const StreamInfo& info() const { return info_; }
    const std::vector<IndexEntry>& index() const { return index_; }

    // Frame `number` (display order) exactly as the decoder takes it.
    void readFrame(uint32_t number, std::vector<uint8_t>& frame);

private:
    void readIndex();

    std::unique_ptr<ByteSource> source_;
    StreamChecks checks_;
    StreamInfo info_;
    std::vector<IndexEntry> index_;
};

}  // namespace stream

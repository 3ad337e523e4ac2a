#pragma once
// The strict reader's checks of a stream file, on bytes in hand: the reader
// makes them with the whole file at hand, a demuxer fed the file piece by
// piece makes them as the pieces come. Each failure is an support::FileError
// (format) that names the file and, where one is at fault, the frame.

#include <cstdint>
#include <limits>
#include <string>

#include "stream/stream_format.h"

namespace stream {

// A file whose size is not known yet (a stream that arrives piece by piece):
// the checks against its end are left to the reads that reach it.
inline constexpr uint64_t kUnknownFileSize = std::numeric_limits<uint64_t>::max();

class StreamChecks {
public:
    // name: how messages call the file (its path); fileSize: its bytes.
    StreamChecks(std::string name, uint64_t fileSize) : name_(std::move(name)), fileSize_(fileSize) {}

    const std::string& name() const { return name_; }
    uint64_t fileSize() const { return fileSize_; }
    void setFileSize(uint64_t fileSize) { fileSize_ = fileSize; }

    // A file that ended after `size` bytes, before the stream header did.
    [[noreturn]] void failShortHeader(uint64_t size) const;
    // The header's fields, checked.
    StreamInfo header(const HeaderBytes& bytes) const;
    // That the index of info's frames ends inside the file.
    void indexFits(const StreamInfo& info) const;
    // One index entry of a stream of frameCount frames, decoded and checked.
    IndexEntry indexEntry(uint32_t number, const uint8_t* bytes, uint32_t frameCount) const;
    // That the frame's kind agrees with its flag; firstWord: its first 4 bytes.
    void frameKind(uint32_t number, const IndexEntry& entry, const uint8_t* firstWord) const;

    [[noreturn]] void fail(const std::string& problem) const;
    [[noreturn]] void failFrame(uint32_t number, const std::string& problem) const;

private:
    std::string name_;
    uint64_t fileSize_;
};

}  // namespace stream

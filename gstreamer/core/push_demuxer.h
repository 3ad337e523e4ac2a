#pragma once
// A stream file that arrives piece by piece, in pieces of any size, as a
// demuxer gets it from a source it cannot read at will: the header and the
// index as soon as their bytes are in, then the frames of a run, one by one,
// each once all its bytes are. The checks are the strict reader's, in its
// words, each made once its bytes are there; the file's size, when the
// source tells it, lets the index be checked against the file's end at once.
//
// The bytes kept are those from the next frame's start on. When the next
// frame starts before them (a seek back, or a frame stored before the one
// before it), neededOffset() says where the source must go.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "stream/stream_checks.h"
#include "stream/stream_format.h"

namespace gstreamer {

class PushDemuxer {
public:
    // name: how messages call the file; fileSize: stream::kUnknownFileSize when
    // the source does not tell.
    PushDemuxer(std::string name, uint64_t fileSize);

    // The next bytes of the file: those after the bytes pushed before, or
    // after moved(), those from its offset. Throws support::FileError (format).
    void push(std::span<const uint8_t> bytes);

    bool hasIndex() const { return phase_ == Phase::Frames; }
    const stream::StreamInfo& info() const { return info_; }
    const std::vector<stream::IndexEntry>& index() const { return index_; }

    struct Frame {
        uint32_t number;
        std::span<const uint8_t> bytes;  // valid until the next call that changes the demuxer
    };
    // The run's next frame, when all its bytes are in. Throws support::FileError
    // (format) when its kind disagrees with its flag.
    std::optional<Frame> nextFrame();
    // Frames from `first` on; the run's end is the stream's. Needs the index.
    void startAt(uint32_t first);
    // The frame nextFrame() gives next; the frame count once the run is over.
    uint32_t nextNumber() const { return next_; }
    bool runOver() const { return hasIndex() && next_ >= index_.size(); }

    // Where the source must continue from, when the bytes that follow those
    // pushed are not the ones the run needs next.
    std::optional<uint64_t> neededOffset() const;
    // The source has moved: the bytes pushed from now on start at offset.
    void moved(uint64_t offset);

    // The source has ended. Throws support::FileError (format) in the reader's
    // words when the header, the index or a frame of the run is cut short.
    void end();

private:
    enum class Phase { Header, Index, Frames };

    uint64_t position() const { return start_ + bytes_.size(); }
    void parse();
    // Drops the bytes kept before offset.
    void dropBelow(uint64_t offset);

    stream::StreamChecks checks_;
    Phase phase_ = Phase::Header;
    stream::StreamInfo info_;
    std::vector<stream::IndexEntry> index_;
    std::vector<uint8_t> bytes_;  // the bytes kept, from file offset start_
    uint64_t start_ = 0;
    uint64_t skipTo_ = 0;  // bytes before this offset are not kept
    uint32_t next_ = 0;
};

}  // namespace gstreamer

#include "stream/stream_writer.h"

#include <utility>

#include "support/file_error.h"

namespace stream {

StreamWriter::StreamWriter(std::ostream& out, std::string name, const StreamInfo& info, uint32_t reservedFrames)
    : out_(out), name_(std::move(name)), info_(info), reservedFrames_(reservedFrames) {
    if (auto problem = findInfoProblem(info_)) throw support::FileError::format(name_ + ": " + *problem);
    info_.frameCount = 0;
    write(encodeHeader(info_));
    const std::vector<uint8_t> index(size_t(kIndexEntrySize) * reservedFrames, 0);
    write(index);
    end_ = indexEnd(reservedFrames);
}

void StreamWriter::write(std::span<const uint8_t> bytes) {
    out_.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out_) throw support::FileError::io(name_ + ": cannot write");
}

void StreamWriter::addFrame(std::span<const uint8_t> frame) {
    const std::string which = name_ + ": frame " + std::to_string(index_.size()) + ": ";
    if (index_.size() == reservedFrames_)
        throw support::FileError::format(which + "more frames than the " + std::to_string(reservedFrames_) +
                                         " reserved");
    if (frame.size() < format::kFrameHeaderSize || !std::in_range<uint32_t>(frame.size()))
        throw support::FileError::format(which + std::to_string(frame.size()) +
                                         " bytes, not a frame (24 bytes to 4 GiB)");
    const uint32_t flags = format::readQualityWord(frame.data()) < 0 ? kIntraFlag : 0;
    index_.push_back({end_, uint32_t(frame.size()), flags});
    write(frame);
    end_ += frame.size();
}

void StreamWriter::finish() {
    info_.frameCount = uint32_t(index_.size());
    out_.seekp(0);
    write(encodeHeader(info_));
    for (const IndexEntry& entry : index_) write(encodeIndexEntry(entry));
    out_.seekp(std::streamoff(end_));
    out_.flush();
    if (!out_) throw support::FileError::io(name_ + ": cannot write");
}

}  // namespace stream

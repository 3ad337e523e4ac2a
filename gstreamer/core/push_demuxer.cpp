#include "gstreamer/core/push_demuxer.h"

#include <algorithm>

namespace gstreamer {

PushDemuxer::PushDemuxer(std::string name, uint64_t fileSize) : checks_(std::move(name), fileSize) {}

void PushDemuxer::push(std::span<const uint8_t> bytes) {
    // What lies before skipTo_ is not needed: a gap before the next frame.
    const uint64_t from = position();
    size_t skip = 0;
    if (skipTo_ > from) skip = size_t(std::min<uint64_t>(skipTo_ - from, bytes.size()));
    if (bytes_.empty()) start_ = from + skip;
    bytes_.insert(bytes_.end(), bytes.begin() + skip, bytes.end());
    if (phase_ != Phase::Frames) parse();
}

void PushDemuxer::parse() {
    if (phase_ == Phase::Header) {
        if (start_ != 0 || bytes_.size() < stream::kHeaderSize) return;
        stream::HeaderBytes header;
        std::copy_n(bytes_.begin(), header.size(), header.begin());
        info_ = checks_.header(header);
        checks_.indexFits(info_);
        phase_ = Phase::Index;
    }
    if (start_ != 0 || position() < stream::indexEnd(info_.frameCount)) return;
    index_.reserve(info_.frameCount);
    for (uint32_t number = 0; number < info_.frameCount; ++number)
        index_.push_back(checks_.indexEntry(
            number, &bytes_[size_t(stream::kHeaderSize + stream::kIndexEntrySize * number)], info_.frameCount));
    phase_ = Phase::Frames;
    startAt(0);
}

void PushDemuxer::startAt(uint32_t first) {
    next_ = std::min<uint32_t>(first, uint32_t(index_.size()));
    if (next_ < index_.size()) dropBelow(index_[next_].offset);
}

void PushDemuxer::dropBelow(uint64_t offset) {
    if (offset <= start_) return;
    if (offset >= position()) {
        start_ = position();
        bytes_.clear();
        skipTo_ = offset;
        return;
    }
    bytes_.erase(bytes_.begin(), bytes_.begin() + ptrdiff_t(offset - start_));
    start_ = offset;
}

std::optional<PushDemuxer::Frame> PushDemuxer::nextFrame() {
    if (!hasIndex() || runOver()) return std::nullopt;
    const stream::IndexEntry& entry = index_[next_];
    dropBelow(entry.offset);
    if (entry.offset < start_ || position() < entry.offset + entry.size) return std::nullopt;
    const std::span<const uint8_t> frame(bytes_.data() + (entry.offset - start_), entry.size);
    checks_.frameKind(next_, entry, frame.data());
    return Frame{next_++, frame};
}

std::optional<uint64_t> PushDemuxer::neededOffset() const {
    if (!hasIndex() || runOver()) return std::nullopt;
    const uint64_t offset = index_[next_].offset;
    if (offset >= start_) return std::nullopt;
    return offset;
}

void PushDemuxer::moved(uint64_t offset) {
    bytes_.clear();
    start_ = offset;
    skipTo_ = offset;
    if (phase_ == Phase::Frames && next_ < index_.size()) dropBelow(index_[next_].offset);
}

void PushDemuxer::end() {
    if (phase_ == Phase::Header) {
        if (start_ != 0) checks_.fail("the source ended before the stream header came");
        checks_.failShortHeader(position());
    }
    const uint64_t fileEnd = position();
    if (phase_ == Phase::Index) {
        checks_.setFileSize(fileEnd);
        checks_.indexFits(info_);
    }
    if (runOver()) return;
    // The frame the run waits for does not end inside the file.
    checks_.setFileSize(fileEnd);
    checks_.indexEntry(next_, stream::encodeIndexEntry(index_[next_]).data(), info_.frameCount);
    checks_.failFrame(next_, "the file ends at byte " + std::to_string(fileEnd) + ", before the frame's end at byte " +
                                 std::to_string(index_[next_].offset + index_[next_].size));
}

}  // namespace gstreamer

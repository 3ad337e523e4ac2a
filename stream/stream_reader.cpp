#include "stream/stream_reader.h"

#include "support/file_error.h"

namespace stream {

StreamReader::StreamReader(std::unique_ptr<ByteSource> source, std::string name)
    : source_(std::move(source)), checks_(std::move(name), source_->size()) {
    if (source_->size() < kHeaderSize) checks_.failShortHeader(source_->size());
    HeaderBytes header;
    source_->read(0, header.data(), header.size());
    info_ = checks_.header(header);
    readIndex();
}

StreamReader StreamReader::openFile(const std::string& path) {
    return StreamReader(std::make_unique<FileSource>(path), path);
}

void StreamReader::readIndex() {
    checks_.indexFits(info_);
    std::vector<uint8_t> bytes(size_t(indexEnd(info_.frameCount) - kHeaderSize));
    source_->read(kHeaderSize, bytes.data(), bytes.size());
    index_.reserve(info_.frameCount);
    for (uint32_t number = 0; number < info_.frameCount; ++number) {
        index_.push_back(checks_.indexEntry(number, &bytes[size_t(kIndexEntrySize) * number], info_.frameCount));
        uint8_t word[4];
        source_->read(index_.back().offset, word, sizeof word);
        checks_.frameKind(number, index_.back(), word);
    }
}

void StreamReader::readFrame(uint32_t number, std::vector<uint8_t>& frame) {
    if (number >= index_.size())
        checks_.fail("there is no frame " + std::to_string(number) + " (the stream has " +
                     std::to_string(index_.size()) + ")");
    const IndexEntry& entry = index_[number];
    frame.resize(entry.size);
    source_->read(entry.offset, frame.data(), frame.size());
}

}  // namespace stream

#include "stream/stream_reader.h"

#include <algorithm>

#include "stream/little_endian.h"
#include "support/file_error.h"

namespace xqm {

namespace {

std::string hex(uint32_t value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 15];
    return text;
}

}  // namespace

StreamReader::StreamReader(std::unique_ptr<ByteSource> source, std::string name)
    : source_(std::move(source)), name_(std::move(name)) {
    readHeader();
    readIndex();
}

StreamReader StreamReader::openFile(const std::string& path) {
    return StreamReader(std::make_unique<FileSource>(path), path);
}

void StreamReader::fail(const std::string& problem) const { throw orv::FileError::format(name_ + ": " + problem); }

void StreamReader::failFrame(uint32_t number, const std::string& problem) const {
    fail("frame " + std::to_string(number) + ": " + problem);
}

void StreamReader::readHeader() {
    if (source_->size() < kHeaderSize)
        fail(std::to_string(source_->size()) + " bytes, shorter than the 32-byte stream header");
    HeaderBytes bytes;
    source_->read(0, bytes.data(), bytes.size());
    if (!std::equal(kMagic.begin(), kMagic.end(), bytes.begin()))
        fail("not an XQM6 stream (the file must begin with \"XQM6\" and four zero bytes)");
    const auto version = loadLittleEndian<uint16_t>(&bytes[8]);
    if (version != kVersion) fail("stream version " + std::to_string(version) + ", this reader knows version 1");
    info_.pixelType = loadLittleEndian<uint16_t>(&bytes[10]);
    const auto width = loadLittleEndian<uint16_t>(&bytes[12]);
    info_.height = loadLittleEndian<uint16_t>(&bytes[14]);
    info_.rate = {loadLittleEndian<uint32_t>(&bytes[16]), loadLittleEndian<uint32_t>(&bytes[20])};
    info_.frameCount = loadLittleEndian<uint32_t>(&bytes[24]);
    const auto reserved = loadLittleEndian<uint32_t>(&bytes[28]);
    if (width != kPictureWidth) fail("width " + std::to_string(width) + ", expected " + std::to_string(kPictureWidth));
    if (auto problem = findInfoProblem(info_)) fail(*problem);
    if (reserved != 0) fail("the reserved header word is " + hex(reserved) + ", expected 0");
}

void StreamReader::readIndex() {
    const uint64_t end = indexEnd(info_.frameCount);
    if (end > source_->size())
        fail("the index of " + std::to_string(info_.frameCount) + " frames ends at byte " + std::to_string(end) +
             ", past the end of the file (" + std::to_string(source_->size()) + " bytes)");
    std::vector<uint8_t> bytes(size_t(end - kHeaderSize));
    source_->read(kHeaderSize, bytes.data(), bytes.size());
    index_.reserve(info_.frameCount);
    for (uint32_t number = 0; number < info_.frameCount; ++number) {
        index_.push_back(decodeIndexEntry(&bytes[size_t(kIndexEntrySize) * number]));
        checkFrame(number, index_.back());
    }
}

void StreamReader::checkFrame(uint32_t number, const IndexEntry& entry) {
    const uint64_t fileSize = source_->size();
    const uint64_t framesStart = indexEnd(info_.frameCount);
    if (entry.size == 0) failFrame(number, "its size is 0");
    if (entry.offset < framesStart)
        failFrame(number, "starts at byte " + std::to_string(entry.offset) +
                              ", inside the header and index (bytes 0 to " + std::to_string(framesStart - 1) + ")");
    if (entry.offset > fileSize || entry.size > fileSize - entry.offset)
        failFrame(number, std::to_string(entry.size) + " bytes at byte " + std::to_string(entry.offset) +
                              " run past the end of the file (" + std::to_string(fileSize) + " bytes)");
    if ((entry.flags & ~kIntraFlag) != 0)
        failFrame(number, "flags " + hex(entry.flags) + ": only bit 0 (intra frame) may be set");
    if (entry.size < kFrameHeaderSize)
        failFrame(number, std::to_string(entry.size) + " bytes, shorter than the 24-byte frame header");
    uint8_t word[4];
    source_->read(entry.offset, word, sizeof word);
    const int32_t quality = readQualityWord(word);
    if (entry.intra() != (quality < 0))
        failFrame(number, std::string("flagged as ") + (entry.intra() ? "an intra" : "a predicted") +
                              " frame but its quality word is " + std::to_string(quality) +
                              " (negative for an intra frame)");
}

void StreamReader::readFrame(uint32_t number, std::vector<uint8_t>& frame) {
    if (number >= index_.size())
        fail("there is no frame " + std::to_string(number) + " (the stream has " + std::to_string(index_.size()) + ")");
    const IndexEntry& entry = index_[number];
    frame.resize(entry.size);
    source_->read(entry.offset, frame.data(), frame.size());
}

}  // namespace xqm

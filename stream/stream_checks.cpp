#include "stream/stream_checks.h"

#include <algorithm>

#include "stream/little_endian.h"
#include "support/file_error.h"

namespace stream {

namespace {

std::string hex(uint32_t value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 15];
    return text;
}

}  // namespace

void StreamChecks::fail(const std::string& problem) const { throw support::FileError::format(name_ + ": " + problem); }

void StreamChecks::failFrame(uint32_t number, const std::string& problem) const {
    fail("frame " + std::to_string(number) + ": " + problem);
}

void StreamChecks::failShortHeader(uint64_t size) const {
    fail(std::to_string(size) + " bytes, shorter than the 32-byte stream header");
}

StreamInfo StreamChecks::header(const HeaderBytes& bytes) const {
    if (!std::equal(kMagic.begin(), kMagic.end(), bytes.begin()))
        fail("not an XQM6 stream (the file must begin with \"XQM6\" and four zero bytes)");
    const auto version = loadLittleEndian<uint16_t>(&bytes[8]);
    if (version != kVersion) fail("stream version " + std::to_string(version) + ", this reader knows version 1");
    StreamInfo info;
    info.pixelType = loadLittleEndian<uint16_t>(&bytes[10]);
    const auto width = loadLittleEndian<uint16_t>(&bytes[12]);
    info.height = loadLittleEndian<uint16_t>(&bytes[14]);
    info.rate = {loadLittleEndian<uint32_t>(&bytes[16]), loadLittleEndian<uint32_t>(&bytes[20])};
    info.frameCount = loadLittleEndian<uint32_t>(&bytes[24]);
    const auto reserved = loadLittleEndian<uint32_t>(&bytes[28]);
    if (width != format::kPictureWidth)
        fail("width " + std::to_string(width) + ", expected " + std::to_string(format::kPictureWidth));
    if (auto problem = findInfoProblem(info)) fail(*problem);
    if (reserved != 0) fail("the reserved header word is " + hex(reserved) + ", expected 0");
    return info;
}

void StreamChecks::indexFits(const StreamInfo& info) const {
    const uint64_t end = indexEnd(info.frameCount);
    if (end > fileSize_)
        fail("the index of " + std::to_string(info.frameCount) + " frames ends at byte " + std::to_string(end) +
             ", past the end of the file (" + std::to_string(fileSize_) + " bytes)");
}

IndexEntry StreamChecks::indexEntry(uint32_t number, const uint8_t* bytes, uint32_t frameCount) const {
    const IndexEntry entry = decodeIndexEntry(bytes);
    const uint64_t framesStart = indexEnd(frameCount);
    if (entry.size == 0) failFrame(number, "its size is 0");
    if (entry.offset < framesStart)
        failFrame(number, "starts at byte " + std::to_string(entry.offset) +
                              ", inside the header and index (bytes 0 to " + std::to_string(framesStart - 1) + ")");
    if (entry.offset > fileSize_ || entry.size > fileSize_ - entry.offset)
        failFrame(number, std::to_string(entry.size) + " bytes at byte " + std::to_string(entry.offset) +
                              " run past the end of the file (" + std::to_string(fileSize_) + " bytes)");
    if ((entry.flags & ~kIntraFlag) != 0)
        failFrame(number, "flags " + hex(entry.flags) + ": only bit 0 (intra frame) may be set");
    if (entry.size < format::kFrameHeaderSize)
        failFrame(number, std::to_string(entry.size) + " bytes, shorter than the 24-byte frame header");
    return entry;
}

void StreamChecks::frameKind(uint32_t number, const IndexEntry& entry, const uint8_t* firstWord) const {
    const int32_t quality = format::readQualityWord(firstWord);
    if (entry.intra() != (quality < 0))
        failFrame(number, std::string("flagged as ") + (entry.intra() ? "an intra" : "a predicted") +
                              " frame but its quality word is " + std::to_string(quality) +
                              " (negative for an intra frame)");
}

}  // namespace stream

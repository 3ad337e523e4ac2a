#include "format/frame_header.h"

namespace format {

namespace {

uint32_t wordAt(std::span<const uint8_t> frame, int index) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t at = size_t(4 * index + i);
        if (at < frame.size()) value |= uint32_t{frame[at]} << (8 * i);
    }
    return value;
}

}  // namespace

FrameHeader readFrameHeader(std::span<const uint8_t> frame) {
    return FrameHeader::fromWords([&](int index) { return wordAt(frame, index); });
}

std::array<uint8_t, kFrameHeaderSize> encodeFrameHeader(const FrameHeader& header) {
    const int32_t words[kFrameHeaderWords] = {header.qualityWord,  header.controlOffset, header.vectorOffset,
                                              header.spiralOffset, header.nibbleOffset,  header.nibbleEnd};
    std::array<uint8_t, kFrameHeaderSize> bytes{};
    for (int word = 0; word < kFrameHeaderWords; ++word)
        for (int i = 0; i < 4; ++i) bytes[size_t(4 * word + i)] = uint8_t(uint32_t(words[word]) >> (8 * i));
    return bytes;
}

int32_t readQualityWord(const uint8_t* frame) { return readFrameHeader({frame, 4}).qualityWord; }

}  // namespace format

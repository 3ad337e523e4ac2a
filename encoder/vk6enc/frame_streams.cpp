#include "vk6enc/frame_streams.h"

#include <algorithm>

namespace vk6enc {

void ControlBitWriter::put(uint32_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        if (used_ == 32) {
            words_.push_back(0);
            used_ = 0;
        }
        words_.back() |= ((value >> i) & 1u) << (31 - used_);
        ++used_;
    }
}

void ControlBitWriter::append(const ControlBitWriter& other) {
    for (size_t i = 0; i < other.words_.size(); ++i) {
        const int count = i + 1 < other.words_.size() ? 32 : other.used_;
        put(other.words_[i] >> (32 - count), count);
    }
}

std::vector<uint8_t> ControlBitWriter::bytes() const {
    std::vector<uint8_t> out;
    out.reserve(4 * words_.size());
    for (uint32_t word : words_)
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(word >> (8 * i)));
    return out;
}

void SpiralIndexWriter::put(uint32_t index) {
    index &= 0xFFF;
    if (!odd_) {
        bytes_.push_back(static_cast<uint8_t>(index));
        bytes_.push_back(static_cast<uint8_t>(index >> 8));
        bytes_.push_back(0);
    } else {
        const size_t at = bytes_.size() - 3;
        bytes_[at + 1] = static_cast<uint8_t>(bytes_[at + 1] | ((index & 0xF) << 4));
        bytes_[at + 2] = static_cast<uint8_t>(index >> 4);
    }
    odd_ = !odd_;
}

uint32_t SpiralIndexWriter::index(size_t i) const {
    const uint8_t* pair = bytes_.data() + 3 * (i / 2);
    return i % 2 == 0 ? pair[0] | uint32_t(pair[1] & 0xF) << 8 : uint32_t(pair[1] >> 4) | uint32_t(pair[2]) << 4;
}

void SpiralIndexWriter::append(const SpiralIndexWriter& other) {
    const size_t count = other.bytes_.size() / 3 * 2 - (other.odd_ ? 1 : 0);
    for (size_t i = 0; i < count; ++i) put(other.index(i));
}

void NibbleWriter::put(int nibble) {
    if (!odd_) {
        bytes_.push_back(static_cast<uint8_t>(nibble & 15));
    } else {
        bytes_.back() = static_cast<uint8_t>(bytes_.back() | ((nibble & 15) << 4));
    }
    odd_ = !odd_;
}

void NibbleWriter::putByte(int value) {
    const auto byte = static_cast<uint8_t>(value);
    put(byte >> 4);
    put(byte & 15);
}

void NibbleWriter::append(const NibbleWriter& other) {
    if (!odd_) {
        bytes_.insert(bytes_.end(), other.bytes_.begin(), other.bytes_.end());
        odd_ = other.odd_;
        return;
    }
    const size_t count = 2 * other.bytes_.size() - (other.odd_ ? 1 : 0);
    for (size_t i = 0; i < count; ++i) put(other.bytes_[i / 2] >> (4 * (i % 2)));
}

void FrameStreams::append(const FrameStreams& other) {
    control.append(other.control);
    vectors.insert(vectors.end(), other.vectors.begin(), other.vectors.end());
    spirals.append(other.spirals);
    nibbles.append(other.nibbles);
}

namespace {

constexpr int kHeaderBytes = 24;
constexpr int kReadAhead = 4;

void appendWord(std::vector<uint8_t>& out, int32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(uint32_t(value) >> (8 * i)));
}

// Appends a stream and its read-ahead bytes; returns where the stream starts.
int32_t appendStream(std::vector<uint8_t>& out, const std::vector<uint8_t>& stream) {
    const auto start = static_cast<int32_t>(out.size());
    out.insert(out.end(), stream.begin(), stream.end());
    out.insert(out.end(), kReadAhead, 0);
    return start;
}

}  // namespace

std::vector<uint8_t> FrameStreams::assemble(int32_t qualityWord) const {
    std::vector<uint8_t> vectorBytes;
    vectorBytes.reserve(2 * vectors.size());
    for (uint16_t word : vectors) {
        vectorBytes.push_back(static_cast<uint8_t>(word));
        vectorBytes.push_back(static_cast<uint8_t>(word >> 8));
    }
    std::vector<uint8_t> frame(kHeaderBytes, 0);
    const int32_t controlOffset = appendStream(frame, control.bytes());
    const int32_t vectorOffset = appendStream(frame, vectorBytes);
    const int32_t spiralOffset = appendStream(frame, spirals.bytes());
    const int32_t nibbleOffset = appendStream(frame, nibbles.bytes());
    const auto nibbleEnd = static_cast<int32_t>(nibbleOffset + nibbles.bytes().size());

    std::vector<uint8_t> header;
    for (int32_t word : {qualityWord, controlOffset, vectorOffset, spiralOffset, nibbleOffset, nibbleEnd})
        appendWord(header, word);
    std::copy(header.begin(), header.end(), frame.begin());
    return frame;
}

}  // namespace vk6enc

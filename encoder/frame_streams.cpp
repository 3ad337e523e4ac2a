#include "encoder/frame_streams.h"

#include <algorithm>

#include "format/frame_header.h"
#include "format/vector_word.h"

namespace encoder {

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

namespace {

// A pair of spiral indices as its 3 bytes, a 24-bit little-endian value.
uint32_t loadPair(const uint8_t* bytes) { return bytes[0] | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16; }
void storePair(uint8_t* bytes, uint32_t pair) {
    for (int i = 0; i < 3; ++i) bytes[i] = static_cast<uint8_t>(pair >> (8 * i));
}

}  // namespace

void SpiralIndexWriter::put(uint32_t index) {
    if (!odd_) {
        bytes_.insert(bytes_.end(), 3, 0);
        storePair(bytes_.data() + bytes_.size() - 3, format::packSpiralPair(index, 0));
    } else {
        uint8_t* pair = bytes_.data() + bytes_.size() - 3;
        storePair(pair, format::packSpiralPair(format::firstSpiralIndex(loadPair(pair)), index));
    }
    odd_ = !odd_;
}

uint32_t SpiralIndexWriter::index(size_t i) const {
    const uint32_t pair = loadPair(bytes_.data() + 3 * (i / 2));
    return i % 2 == 0 ? format::firstSpiralIndex(pair) : format::secondSpiralIndex(pair);
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

constexpr int kReadAhead = 4;

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
    std::vector<uint8_t> frame(format::kFrameHeaderSize, 0);
    format::FrameHeader header;
    header.qualityWord = qualityWord;
    header.controlOffset = appendStream(frame, control.bytes());
    header.vectorOffset = appendStream(frame, vectorBytes);
    header.spiralOffset = appendStream(frame, spirals.bytes());
    header.nibbleOffset = appendStream(frame, nibbles.bytes());
    header.nibbleEnd = static_cast<int32_t>(header.nibbleOffset + nibbles.bytes().size());
    const auto headerBytes = format::encodeFrameHeader(header);
    std::copy(headerBytes.begin(), headerBytes.end(), frame.begin());
    return frame;
}

}  // namespace encoder

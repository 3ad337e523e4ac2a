#include "frame_builder.h"

namespace vk6::test {

void BitWriter::put(uint32_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        if (used_ == 32) {
            words_.push_back(0);
            used_ = 0;
        }
        words_.back() |= ((value >> i) & 1u) << (31 - used_);
        ++used_;
    }
}

void BitWriter::code(std::string_view bits) {
    for (char c : bits)
        if (c == '0' || c == '1') put(c == '1' ? 1 : 0, 1);
}

std::vector<uint8_t> BitWriter::bytes() const {
    std::vector<uint8_t> out;
    for (uint32_t word : words_)
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(word >> (8 * i)));
    return out;
}

void NibbleWriter::put(std::initializer_list<int> nibbles) {
    for (int nibble : nibbles) put(nibble);
}

void NibbleWriter::put(int nibble) {
    if (count_ % 2 == 0) {
        bytes_.push_back(static_cast<uint8_t>(nibble & 15));
    } else {
        bytes_.back() |= static_cast<uint8_t>((nibble & 15) << 4);
    }
    ++count_;
}

void NibbleWriter::byteValue(int value) {
    const auto byte = static_cast<uint8_t>(value);
    put(byte >> 4);
    put(byte & 15);
}

void NibbleWriter::dcOnly(int value) {
    byteValue(value);
    put(0);
}

void FrameBuilder::dcBlock(int y, int cb, int cr) {
    nibbles.dcOnly(y);
    nibbles.dcOnly(cb);
    nibbles.dcOnly(cr);
}

namespace {

void appendWord(std::vector<uint8_t>& out, int32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(uint32_t(value) >> (8 * i)));
}

void appendStream(std::vector<uint8_t>& out, const std::vector<uint8_t>& stream) {
    out.insert(out.end(), stream.begin(), stream.end());
    out.insert(out.end(), 4, 0);
}

}  // namespace

std::vector<uint8_t> FrameBuilder::build(int32_t qualityWord) const {
    std::vector<uint8_t> vectorBytes, spiralBytes;
    for (uint16_t word : vectors_) {
        vectorBytes.push_back(static_cast<uint8_t>(word));
        vectorBytes.push_back(static_cast<uint8_t>(word >> 8));
    }
    for (size_t i = 0; i < spirals_.size(); i += 2) {
        const uint32_t second = i + 1 < spirals_.size() ? spirals_[i + 1] : 0;
        const uint32_t packed = (spirals_[i] & 0xFFF) | ((second & 0xFFF) << 12);
        for (int k = 0; k < 3; ++k) spiralBytes.push_back(static_cast<uint8_t>(packed >> (8 * k)));
    }

    std::vector<uint8_t> body;
    const int32_t header = 24;
    const auto controlOffset = header;
    appendStream(body, control.bytes());
    const auto vectorOffset = header + int32_t(body.size());
    appendStream(body, vectorBytes);
    const auto spiralOffset = header + int32_t(body.size());
    appendStream(body, spiralBytes);
    const auto nibbleOffset = header + int32_t(body.size());
    const auto nibbleBytes = nibbles.bytes();
    const auto nibbleEnd = nibbleOffset + int32_t(nibbleBytes.size());
    appendStream(body, nibbleBytes);

    std::vector<uint8_t> frame;
    for (int32_t word : {qualityWord, controlOffset, vectorOffset, spiralOffset, nibbleOffset, nibbleEnd})
        appendWord(frame, word);
    frame.insert(frame.end(), body.begin(), body.end());
    return frame;
}

}  // namespace vk6::test

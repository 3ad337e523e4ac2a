#include "tests/decoder/frame_builder.h"

namespace decoder::test {

void BitWriter::code(std::string_view bits) {
    for (char c : bits)
        if (c == '0' || c == '1') put(c == '1' ? 1 : 0, 1);
}

void NibbleWriter::put(std::initializer_list<int> nibbles) {
    for (int nibble : nibbles) put(nibble);
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

std::vector<uint8_t> FrameBuilder::build(int32_t qualityWord) const {
    const encoder::FrameStreams streams{control, vectors_, spirals_, nibbles};
    return streams.assemble(qualityWord);
}

}  // namespace decoder::test

#include "clean_start.h"

#include <vector>

#include "vk6_640x16.h"

namespace xqmgst {

namespace {

// Two picture buffers by turns, filled with one value at first.
struct Turns {
    std::vector<uint16_t> reference, target;
    Turns(size_t pixels, uint16_t fill) : reference(pixels, fill), target(pixels, fill) {}

    void decode(XQMPI_Decoder* decoder, std::span<const uint8_t> frame) {
        XQMPI_DecoderDecodeFrame(decoder, frame.data(), uint32_t(frame.size()), reference.data(), target.data());
        std::swap(reference, target);
    }
};

}  // namespace

bool startsCleanly(const xqm::StreamInfo& info, std::span<const uint8_t> intra, std::span<const uint8_t> next) {
    XQMPI_Decoder* decoder = XQMPI_CreateDecoder(info.pixelType, info.height);
    if (decoder == nullptr) return false;
    XQMPI_DecoderSetConcealment(decoder, 1);
    const size_t pixels = size_t(XQMPI_DecoderPictureRows(decoder)) * xqm::kPictureWidth;
    Turns zeros(pixels, 0x0000), ones(pixels, 0xffff);
    bool clean = true;
    for (std::span<const uint8_t> frame : {intra, next}) {
        if (frame.empty()) break;
        zeros.decode(decoder, frame);
        ones.decode(decoder, frame);
        if (zeros.reference != ones.reference) {
            clean = false;
            break;
        }
    }
    XQMPI_DestroyDecoder(decoder);
    return clean;
}

}  // namespace xqmgst

#include "tests/decoder/turn_decoding.h"

#include <stdexcept>
#include <string>

namespace decoder::test {

TurnDecoding::TurnDecoding(int32_t pixelType, int32_t height) : handle_(XQMPI_CreateDecoder(pixelType, height)) {
    if (handle_ == nullptr) throw std::runtime_error("the library refuses the video's format");
    for (auto& buffer : buffers_) buffer.assign(size_t(XQMPI_DecoderPictureRows(handle_)) * kPictureWidth, 0);
}

TurnDecoding::~TurnDecoding() { XQMPI_DestroyDecoder(handle_); }

bool TurnDecoding::decode(const std::vector<uint8_t>& frame) {
    const std::vector<uint16_t>& reference = buffers_[(decoded_ + 1) % 2];
    std::vector<uint16_t>& target = buffers_[decoded_ % 2];
    ++decoded_;
    return XQMPI_DecoderDecodeFrame(handle_, frame.data(), uint32_t(frame.size()), reference.data(), target.data()) ==
           1;
}

std::vector<std::vector<uint16_t>> decodeByTurns(int32_t pixelType, int32_t height,
                                                 const std::vector<std::vector<uint8_t>>& frames) {
    TurnDecoding decoding(pixelType, height);
    std::vector<std::vector<uint16_t>> pictures;
    for (const auto& frame : frames) {
        if (!decoding.decode(frame))
            throw std::runtime_error("the library abandons frame " + std::to_string(pictures.size()));
        pictures.push_back(decoding.picture());
    }
    return pictures;
}

}  // namespace decoder::test

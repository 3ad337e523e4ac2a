#include "picture_decoder.h"

#include <string>

#include "common/failure.h"

namespace vk6tool {

PictureDecoder::PictureDecoder(const xqm::StreamInfo& info)
    : handle_(XQMPI_CreateDecoder(info.pixelType, info.height)) {
    if (handle_ == nullptr)
        orv::cli::failInput("the decoder refuses pixel type " + std::to_string(info.pixelType) + " and height " +
                            std::to_string(info.height));
    const size_t pixels = size_t(XQMPI_DecoderPictureRows(handle_)) * xqm::kPictureWidth;
    reference_.assign(pixels, 0);
    target_.assign(pixels, 0);
}

PictureDecoder::~PictureDecoder() { XQMPI_DestroyDecoder(handle_); }

bool PictureDecoder::decode(const std::vector<uint8_t>& frame) {
    const auto decodeIntoTarget = [&] {
        return XQMPI_DecoderDecodeFrame(handle_, frame.data(), uint32_t(frame.size()), reference_.data(),
                                        target_.data()) == 1;
    };
    const bool whole = decodeIntoTarget();
    if (!whole) {
        target_ = reference_;
        decodeIntoTarget();
    }
    std::swap(reference_, target_);
    return whole;
}

}  // namespace vk6tool

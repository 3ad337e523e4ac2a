#include "picture_decoder.h"

#include <string>

#include "common/failure.h"
#include "format/decode_errors.h"

namespace vk6tool {

PictureDecoder::PictureDecoder(const xqm::StreamInfo& info)
    : handle_(XQMPI_CreateDecoder(info.pixelType, info.height)) {
    if (handle_ == nullptr)
        orv::cli::failInput("the decoder refuses pixel type " + std::to_string(info.pixelType) + " and height " +
                            std::to_string(info.height));
    XQMPI_DecoderSetConcealment(handle_, 1);
    const size_t pixels = size_t(XQMPI_DecoderPictureRows(handle_)) * xqm::kPictureWidth;
    reference_.assign(pixels, 0);
    target_.assign(pixels, 0);
}

PictureDecoder::~PictureDecoder() { XQMPI_DestroyDecoder(handle_); }

bool PictureDecoder::decode(const std::vector<uint8_t>& frame) {
    const bool whole =
        XQMPI_DecoderDecodeFrame(handle_, frame.data(), uint32_t(frame.size()), reference_.data(), target_.data()) == 1;
    std::swap(reference_, target_);
    return whole;
}

XQMPI_ErrorReport PictureDecoder::report() const {
    XQMPI_ErrorReport report;
    XQMPI_DecoderLastError(handle_, &report);
    return report;
}

std::string PictureDecoder::failure() const {
    const XQMPI_ErrorReport last = report();
    return xqm::describeFailure(last, XQMPI_DecoderErrorText(last.code));
}

}  // namespace vk6tool

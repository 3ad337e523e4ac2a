#include "tools/vk6/picture_decoder.h"

#include <string>

#include "tools/common/failure.h"

namespace vk6tool {

PictureDecoder::PictureDecoder(const xqm::StreamInfo& info)
    : vk6::FrameSequence(vk6::linkedHandleFunctions(), info.pixelType, info.height) {
    if (refused())
        orv::cli::failInput("the decoder refuses pixel type " + std::to_string(info.pixelType) + " and height " +
                            std::to_string(info.height));
}

}  // namespace vk6tool

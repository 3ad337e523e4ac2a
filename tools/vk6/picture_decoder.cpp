#include "tools/vk6/picture_decoder.h"

#include <string>

#include "tools/cli/failure.h"

namespace vk6 {

PictureDecoder::PictureDecoder(const stream::StreamInfo& info)
    : decoder::FrameSequence(decoder::linkedHandleFunctions(), info.pixelType, info.height) {
    if (refused())
        cli::failInput("the decoder refuses pixel type " + std::to_string(info.pixelType) + " and height " +
                       std::to_string(info.height));
}

}  // namespace vk6

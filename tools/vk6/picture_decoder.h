#pragma once
// The stream's pictures for vk6's commands: the library's decode loop
// (vk6::FrameSequence) on the library vk6 is linked with.

#include "decoder/interface/frame_sequence.h"
#include "stream/stream_format.h"

namespace vk6tool {

class PictureDecoder : public vk6::FrameSequence {
public:
    // Throws a bad-input Failure when the library refuses the stream's format.
    explicit PictureDecoder(const xqm::StreamInfo& info);
};

}  // namespace vk6tool

#pragma once
// The stream's pictures for vk6's commands: the library's decode loop
// (decoder::FrameSequence) on the library vk6 is linked with.

#include "decoder/interface/frame_sequence.h"
#include "stream/stream_format.h"

namespace vk6 {

class PictureDecoder : public decoder::FrameSequence {
public:
    // Throws a bad-input Failure when the library refuses the stream's format.
    explicit PictureDecoder(const stream::StreamInfo& info);
};

}  // namespace vk6

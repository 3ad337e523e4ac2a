#pragma once
// A video's pictures decoded one frame after another through the decoder
// library's handle interface: two picture buffers, the first reference all zero,
// each decoded picture the reference of the next frame.

#include <cstdint>
#include <vector>

#include "stream/stream_format.h"
#include "vk6_640x16.h"

namespace vk6tool {

class PictureDecoder {
public:
    // Throws a bad-input Failure when the library refuses the stream's format.
    explicit PictureDecoder(const xqm::StreamInfo& info);
    ~PictureDecoder();
    PictureDecoder(const PictureDecoder&) = delete;
    PictureDecoder& operator=(const PictureDecoder&) = delete;

    // Decodes the next frame. Returns false when the decoder abandons it; the
    // part after the malformed block then shows the previous picture.
    bool decode(const std::vector<uint8_t>& frame);
    // The last decoded picture: its first `height` rows of 640 pixels.
    const uint16_t* picture() const { return reference_.data(); }

private:
    XQMPI_Decoder* handle_;
    std::vector<uint16_t> reference_, target_;
};

}  // namespace vk6tool

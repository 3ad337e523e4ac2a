#pragma once
// A video's pictures decoded one frame after another through the decoder
// library's handle interface, as the game decodes them: two picture buffers
// used by turns, both all zero at first, frame N decoded into the buffer that
// holds frame N-2's picture with frame N-1's picture as its reference. Copies
// from the new picture may read parts of it not yet decoded, so what the
// buffer held before is part of the result. Concealment is on, as in a player.

#include <cstdint>
#include <string>
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
    // part from the failed block on then shows the previous picture, and
    // failure() tells where and why.
    bool decode(const std::vector<uint8_t>& frame);
    // Why and where the decoder abandoned the last frame; the same in words
    // (format/decode_errors.h).
    XQMPI_ErrorReport report() const;
    std::string failure() const;
    // The last decoded picture: its first `height` rows of 640 pixels.
    const uint16_t* picture() const { return reference_.data(); }

private:
    XQMPI_Decoder* handle_;
    // reference_: the last picture; target_: the one before it.
    std::vector<uint16_t> reference_, target_;
};

}  // namespace vk6tool

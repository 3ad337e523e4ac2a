#pragma once
// A video's pictures decoded one frame after another through the library's
// handle interface, as the game decodes them: two picture buffers used by
// turns, frame N decoded into the buffer that holds frame N-2's picture with
// frame N-1's as its reference. Copies from the new picture may read parts of
// it not yet decoded, so what the buffer held before is part of the result;
// both buffers start all zero, as the game's do. Concealment is on, as in a
// player: a frame abandoned shows the last good picture from the failed
// block on. vk6, vk6play, the GStreamer decoder and the web player decode
// through this.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "decoder/interface/handle_functions.h"

namespace decoder {

class FrameSequence {
public:
    // The pictures both buffers hold: the last one and the one before it.
    struct Buffers {
        std::vector<uint16_t> reference, target;
    };

    // refused() when the library takes neither the pixel type nor the height.
    FrameSequence(const HandleFunctions& library, int32_t pixelType, int32_t height);
    ~FrameSequence();
    FrameSequence(const FrameSequence&) = delete;
    FrameSequence& operator=(const FrameSequence&) = delete;

    bool refused() const { return handle_ == nullptr; }

    // Decodes the next frame; false when the decoder abandons it, and
    // failure() then says where and why.
    bool decode(std::span<const uint8_t> frame);
    // A frame that could not be read: its picture is the last one again.
    void repeat();
    // Both buffers to one value, as before the first frame (0 for the game's
    // start).
    void fill(uint16_t value);

    // The last picture: its first `height` rows of 640 pixels, then the rows
    // that round the buffer up to whole blocks.
    const uint16_t* picture() const { return buffers_.reference.data(); }
    const std::vector<uint16_t>& pictureBuffer() const { return buffers_.reference; }
    const Buffers& buffers() const { return buffers_; }
    void restore(Buffers buffers) { buffers_ = std::move(buffers); }

    // Why and where the last frame was abandoned; the same in words
    // ("block at (320, 96): ...").
    XQMPI_ErrorReport report() const;
    std::string failure() const;

private:
    HandleFunctions library_;
    XQMPI_Decoder* handle_;
    Buffers buffers_;
};

}  // namespace decoder

#pragma once
// A video's pictures as the game decodes them, through the library's handle
// interface: two picture buffers used by turns, both all zero at first; frame
// N is decoded into the buffer holding frame N-2's picture, with frame N-1's
// picture as its reference.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "decoder/interface/vk6_640x16.h"
#include "format/picture.h"

namespace decoder::test {

// Pixels in every row of the library's pictures.
inline constexpr int kPictureWidth = format::kPictureWidth;

class TurnDecoding {
public:
    // Throws std::runtime_error when the library refuses the format.
    TurnDecoding(int32_t pixelType, int32_t height);
    ~TurnDecoding();
    TurnDecoding(const TurnDecoding&) = delete;
    TurnDecoding& operator=(const TurnDecoding&) = delete;

    // Decodes the next frame; false when the library abandons it.
    bool decode(const std::vector<uint8_t>& frame);
    // The whole buffer the last frame was decoded into.
    const std::vector<uint16_t>& picture() const { return buffers_[(decoded_ + 1) % 2]; }

private:
    XQMPI_Decoder* handle_;
    std::vector<uint16_t> buffers_[2];
    size_t decoded_ = 0;
};

// Every frame's whole buffer; throws std::runtime_error for an abandoned frame.
std::vector<std::vector<uint16_t>> decodeByTurns(int32_t pixelType, int32_t height,
                                                 const std::vector<std::vector<uint8_t>>& frames);

}  // namespace decoder::test

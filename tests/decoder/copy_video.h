#pragma once
// Valid videos whose frames use every kind of copy, for comparing decoders.
// Every third frame is intra (frames 0, 3, ...), the others predicted. Each
// block is a random tree of pieces down to 2x2 cells; each piece is still,
// spiral or a vector copy (far or near, from the previous picture or from the
// new one, in any of the 8 symmetries), or a whole block DCT. Copies from the
// new picture read its decoded part and the part not yet decoded alike, and
// sources lie anywhere in the picture buffer, its rows past `height` included.
// The same arguments give the same frames.

#include <cstdint>
#include <vector>

namespace decoder::test {

struct CopyVideo {
    std::vector<std::vector<uint8_t>> frames;
    // The whole picture buffers the encoder's block writer keeps while it
    // writes the frames, decoding into two buffers by turns, both all zero at
    // first: frame N into the buffer of frame N-2.
    std::vector<std::vector<uint16_t>> pictures;
};

CopyVideo copyVideo(int pixelType, int height, int frameCount, unsigned seed);

}  // namespace decoder::test

#pragma once
// DCT blocks of a frame: the source block's Y, Cb and Cr samples through the
// forward DCT, quantised to the levels whose dequantised values (the
// decoder's own tables for the frame's quality) come nearest, coded with the
// cheapest nibble codes, and reconstructed by the decoder's own kernels.

#include <array>
#include <cstdint>

#include "decoder/vk6_internal.h"
#include "encoder/coefficient_coder.h"
#include "encoder/colour_mapping.h"
#include "encoder/picture_planes.h"

namespace encoder {

struct DctBlock {
    std::array<ComponentLevels, 3> levels;  // Y, Cb, Cr
    int nibbles = 0;
};

// The game's decoder refills its nibble window only between DCT blocks and
// keeps 512 cells of headroom: a block and the code nibble read after it must
// fit. The rare block that needs more loses its last levels, from the
// component that takes the most nibbles. Sets block.nibbles.
void fitWindowHeadroom(DctBlock& block);

class DctCoder {
public:
    // Rounding of AC levels toward zero: the fraction of a step, in 1/256,
    // that a magnitude must pass beyond a level to reach the next one.
    DctCoder(const ColourMapping& mapping, int quality, int acRounding);

    void quantise(const RgbPlanes& source, int x, int y, DctBlock& out) const;
    void write(const DctBlock& block, NibbleWriter& out) const;
    // The decoder's pixels for the block, at destination (rows 640 apart).
    void reconstruct(const DctBlock& block, const decoder::BlockKernels& kernels, const decoder::ColourTables& colour,
                     uint16_t* destination) const;

private:
    const ColourMapping& mapping_;
    decoder::DequantTables dequant_{};
    int acRounding_;
};

}  // namespace encoder

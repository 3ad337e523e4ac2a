#pragma once
// The per-block kernels the frame driver calls through a table, so that fast
// versions can replace the plain reference ones and be tested against them.

#include <cstdint>

#include "pipeline/block_copy.h"
#include "pipeline/coefficient_blocks.h"
#include "pipeline/colour_conversion.h"

namespace vk6 {

struct BlockKernels {
    void (*inverseDct)(int32_t* block, uint32_t mask);
    void (*convertToPixels)(const ColourTables& tables, const CoefficientBlocks& blocks, uint16_t* destination);
    const BlockCopyTable* copies;
};

const BlockKernels& referenceKernels();
// The SSE2 inverse DCT and colour conversion, with the same results.
const BlockKernels& fastKernels();

}  // namespace vk6

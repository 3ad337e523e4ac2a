#pragma once
// SSE2 versions of the inverse DCT and of the colour conversion. Both give
// exactly the results of the reference versions.
// SSE2 is the baseline of every x86 build: they run on every such processor.
// The WebAssembly SIMD build compiles them to 128-bit WebAssembly SIMD.

#include <cstdint>

#include "decoder/pipeline/coefficient_blocks.h"
#include "decoder/pipeline/colour_conversion.h"

namespace decoder {

void inverseDctSse2(int32_t* block, uint32_t mask);

void convertToPixelsSse2(const ColourTables& tables, const CoefficientBlocks& blocks, uint16_t* destination);

}  // namespace decoder

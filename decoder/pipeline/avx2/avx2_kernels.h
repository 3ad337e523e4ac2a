#pragma once
// AVX2 versions of the coefficient decoding, the inverse DCT and the colour
// conversion, with exactly the results of the reference versions. Only to be
// called where the processor runs AVX2 (bestKernelLevel() says so).

#include <cstdint>

#include "decoder/pipeline/coefficient_blocks.h"
#include "decoder/pipeline/coefficient_decoder.h"
#include "decoder/pipeline/colour_conversion.h"

namespace decoder {

format::DecodeError decodeCoefficientBlocksAvx2(NibbleWindow& window, const GeometryTables& geometry,
                                                const DequantTables& dequant, CoefficientBlocks& blocks);
void inverseDctAvx2(int32_t* block, uint32_t mask);

void convertToPixelsAvx2(const ColourTables& tables, const CoefficientBlocks& blocks, uint16_t* destination);

}  // namespace decoder

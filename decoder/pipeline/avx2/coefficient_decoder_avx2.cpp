#include <algorithm>
#include <array>
#include <tuple>

#include "decoder/pipeline/avx2/avx2_kernels.h"
#include "decoder/pipeline/avx2/avx2_target.h"
#include "decoder/pipeline/coefficient_decoder.h"

VK6_AVX2_BEGIN

#include "decoder/pipeline/coefficient_lookup.h"

namespace decoder {

// The same decoder, compiled for AVX2: it clears the blocks in 32-byte stores.
format::DecodeError decodeCoefficientBlocksAvx2(NibbleWindow& window, const GeometryTables& geometry,
                                                const DequantTables& dequant, CoefficientBlocks& blocks) {
    return decodeBlocksByLookup<32>(window, geometry, dequant, blocks);
}

}  // namespace decoder

VK6_AVX2_END

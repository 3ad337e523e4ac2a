#include "decoder/pipeline/coefficient_lookup.h"

namespace decoder {

format::DecodeError decodeCoefficientBlocks(NibbleWindow& window, const GeometryTables& geometry,
                                            const DequantTables& dequant, CoefficientBlocks& blocks) {
    return decodeBlocksByLookup<16>(window, geometry, dequant, blocks);
}

}  // namespace decoder

#pragma once
// decodeCoefficientBlocks: the run-length nibble codes of one DCT block,
// table-driven, and a plain reference version with the same results.

#include <cstdint>

#include "format/coefficient_codes.h"

#include "decoder/pipeline/coefficient_blocks.h"
#include "decoder/pipeline/decode_report.h"
#include "decoder/pipeline/dequant_tables.h"
#include "decoder/pipeline/geometry_tables.h"
#include "decoder/pipeline/nibble_window.h"

namespace decoder {

// A skip may run past position 63 when EndOfBlock follows it; a run of skips
// beyond this position can only be a broken stream.
inline constexpr int kSkipLimit = 128;  // NibbleWindow::kMaxCellsPerDctBlock counts on it

// Decodes Y, Cb and Cr from the window into blocks. Returns None, or for a
// malformed block CoefficientPast63 (a value written past position 63) or
// TooManySkips (skips beyond the limit); blocks then hold what was decoded so
// far and the window's cursor stands after the last symbol read.
format::DecodeError decodeCoefficientBlocks(NibbleWindow& window, const GeometryTables& geometry,
                                            const DequantTables& dequant, CoefficientBlocks& blocks);
format::DecodeError decodeCoefficientBlocksReference(NibbleWindow& window, const GeometryTables& geometry,
                                                     const DequantTables& dequant, CoefficientBlocks& blocks);

}  // namespace decoder

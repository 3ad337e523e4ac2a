#pragma once
// decodeCoefficientBlocks: the run-length nibble codes of one DCT block.

#include <cstdint>

#include "pipeline/coefficient_blocks.h"
#include "pipeline/decode_report.h"
#include "pipeline/dequant_tables.h"
#include "pipeline/geometry_tables.h"
#include "pipeline/nibble_window.h"

namespace vk6 {

enum CoefficientCode : uint8_t {
    EndOfBlock = 0,
    Skip5 = 1,
    Zero1Plus = 2,
    Zero1Minus = 3,
    Zero2Plus = 4,
    Zero2Minus = 5,
    Zero3Plus = 6,
    Zero3Minus = 7,
    RunSmall = 8,
    RunNibble = 9,
    SmallPair = 10,
    Nibble1 = 11,
    Nibble2 = 12,
    Nibble3 = 13,
    Skip1 = 14,
    Literal = 15,
};

// A skip may run past position 63 when EndOfBlock follows it; a run of skips
// beyond this position can only be a broken stream.
inline constexpr int kSkipLimit = 128;  // NibbleWindow::kMaxCellsPerDctBlock counts on it

// Decodes Y, Cb and Cr from the window into blocks. Returns None, or for a
// malformed block CoefficientPast63 (a value written past position 63) or
// TooManySkips (skips beyond the limit); blocks then hold what was decoded so
// far and the window's cursor stands after the last symbol read.
DecodeError decodeCoefficientBlocks(NibbleWindow& window, const GeometryTables& geometry,
                             const DequantTables& dequant, CoefficientBlocks& blocks);

}  // namespace vk6

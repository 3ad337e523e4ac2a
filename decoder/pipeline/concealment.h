#pragma once
// Concealment of an abandoned frame: the part of the target from the failed
// block on shows the reference, so the picture is the last good one with the
// blocks decoded before the failure on top.

#include <cstdint>

#include "decoder/pipeline/decode_report.h"

namespace decoder {

// Copies from the reference, in pictures of `rows` rows of 640 pixels: the
// failed 8x8 block and the rest of its block row, then every row below; the
// whole picture for a failure of the frame as a whole. Nothing for a frame
// decoded whole, a null reference or one buffer as both.
void concealFromFailedBlock(const DecodeReport& report, const uint16_t* reference, uint16_t* target, int64_t rows);

}  // namespace decoder

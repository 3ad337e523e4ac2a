#pragma once
// What the decoder lends the rest of the project besides its C interface
// (interface/vk6_640x16.h): the decoder object with its observer of the
// block walk, and the pieces the encoder rebuilds the decoder's pictures with:
// the block kernels at every level (copies, inverse DCT, colour conversion)
// and their tables, the dequantisation, and the coefficient reader the
// encoder's coder is checked against. Nothing here is a stable interface;
// it changes with the decoder.

#include "decoder/pipeline/block_copy.h"
#include "decoder/pipeline/block_kernels.h"
#include "decoder/pipeline/block_walk_observer.h"
#include "decoder/pipeline/coefficient_decoder.h"
#include "decoder/pipeline/colour_conversion.h"
#include "decoder/pipeline/decoder.h"
#include "decoder/pipeline/dequant_tables.h"
#include "decoder/pipeline/geometry_tables.h"
#include "decoder/pipeline/inverse_dct.h"

#pragma once
// What the decoder lends the rest of the project besides its C interface
// (interface/vk6_640x16.h): the decoder object with its observer of the
// block walk, and the pieces the encoder rebuilds the decoder's pictures with:
// the block kernels at every level (copies, inverse DCT, colour conversion)
// and their tables, the dequantisation, and the coefficient reader the
// encoder's coder is checked against. Nothing here is a stable interface;
// it changes with the decoder.

#include "pipeline/block_copy.h"
#include "pipeline/block_kernels.h"
#include "pipeline/block_walk_observer.h"
#include "pipeline/coefficient_decoder.h"
#include "pipeline/colour_conversion.h"
#include "pipeline/decoder.h"
#include "pipeline/dequant_tables.h"
#include "pipeline/geometry_tables.h"
#include "pipeline/inverse_dct.h"

#pragma once
// The per-block kernels the frame driver calls through a table, at one of
// several levels: the plain reference versions, and versions for the
// instruction sets a processor may offer, each with the reference's results.
// The level is chosen once per process by what the processor runs; tests and
// benchmarks take any level the processor runs.

#include <cstdint>
#include <span>
#include <string_view>

#include "decoder/pipeline/block_copy.h"
#include "decoder/pipeline/coefficient_blocks.h"
#include "decoder/pipeline/coefficient_decoder.h"
#include "decoder/pipeline/colour_conversion.h"

namespace decoder {

struct BlockKernels {
    // The reference level reads the codes one by one; the others through the
    // table of codes.
    format::DecodeError (*decodeCoefficients)(NibbleWindow& window, const GeometryTables& geometry,
                                              const DequantTables& dequant, CoefficientBlocks& blocks);
    // The block holds zeros outside the rows and columns its mask marks, as
    // coefficient decoding leaves it; the fast levels count on that.
    void (*inverseDct)(int32_t* block, uint32_t mask);
    void (*convertToPixels)(const ColourTables& tables, const CoefficientBlocks& blocks, uint16_t* destination);
    const BlockCopyTable* copies;
};

// The pixels of a DCT block from its coefficients: the inverse DCT of each
// block with more than its DC, then the colour conversion, which reads a
// DC-only block at its entry 0.
inline void reconstructDctBlock(const BlockKernels& kernels, const ColourTables& colour, CoefficientBlocks& blocks,
                                uint16_t* destination) {
    for (int component = 0; component < 3; ++component)
        if (blocks.blockMask[size_t(component)] != 0x0101)
            kernels.inverseDct(blocks.block(component), blocks.blockMask[size_t(component)]);
    kernels.convertToPixels(colour, blocks, destination);
}

// In the order of what they need. SSE2 is the baseline of every x86 build and
// of the WebAssembly SIMD build; the scalar WebAssembly build has only the
// reference level.
enum class KernelLevel { Reference, Sse2, Avx2 };

std::span<const KernelLevel> allKernelLevels();
std::string_view kernelLevelName(KernelLevel level);

// The highest level this processor runs, found out once.
KernelLevel bestKernelLevel();

// The kernels of a level, or of the best level the processor runs if it is
// below the one asked for.
const BlockKernels& kernelsFor(KernelLevel level);

// The level a request names ("reference", "sse2", "avx2"), held to the best
// level; the best level for no request or a name it does not know.
KernelLevel requestedKernelLevel(const char* request, KernelLevel best);

// The kernels decoders use unless they are given others: those of the best
// level, or of the one the environment variable VK6_KERNELS asks for. Both are
// found out once, at the first call (safe from any thread).
KernelLevel defaultKernelLevel();
const BlockKernels& defaultKernels();

}  // namespace decoder

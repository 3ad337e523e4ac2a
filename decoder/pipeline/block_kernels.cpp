#include "decoder/pipeline/block_kernels.h"

#include <algorithm>
#include <cstdlib>

#include "decoder/pipeline/inverse_dct.h"

// SSE2 kernels wherever the compiler targets SSE2: every x86 build, and the
// WebAssembly SIMD build, whose compiler turns SSE2 intrinsics into 128-bit
// WebAssembly SIMD. AVX2 only on x86, where the processor is asked.
#if defined(__SSE2__)
#define VK6_HAS_SSE2 1
#include "decoder/pipeline/sse2/sse2_kernels.h"
#endif
#if defined(__x86_64__) || defined(__i386__)
#define VK6_HAS_AVX2 1
#include "decoder/pipeline/avx2/avx2_kernels.h"
#include "decoder/pipeline/cpu_features.h"
#endif

namespace decoder {

namespace {

constexpr KernelLevel kLevels[] = {KernelLevel::Reference, KernelLevel::Sse2, KernelLevel::Avx2};
constexpr std::string_view kNames[] = {"reference", "sse2", "avx2"};

}  // namespace

std::span<const KernelLevel> allKernelLevels() { return kLevels; }

std::string_view kernelLevelName(KernelLevel level) { return kNames[int(level)]; }

KernelLevel bestKernelLevel() {
#if defined(VK6_HAS_AVX2)
    static const KernelLevel best = cpuRunsAvx2() ? KernelLevel::Avx2 : KernelLevel::Sse2;
    return best;
#elif defined(VK6_HAS_SSE2)
    return KernelLevel::Sse2;
#else
    return KernelLevel::Reference;
#endif
}

const BlockKernels& kernelsFor(KernelLevel level) {
    // Levels this build does not compile are never the best, so never taken.
    static const BlockKernels kernels[] = {
        {&decodeCoefficientBlocksReference, &inverseDctReference, &convertToPixelsReference, &blockCopyTable()},
#if defined(VK6_HAS_SSE2)
        {&decodeCoefficientBlocks, &inverseDctSse2, &convertToPixelsSse2, &blockCopyTable()},
#endif
#if defined(VK6_HAS_AVX2)
        {&decodeCoefficientBlocksAvx2, &inverseDctAvx2, &convertToPixelsAvx2, &blockCopyTable()},
#endif
    };
    return kernels[std::min(int(level), int(bestKernelLevel()))];
}

KernelLevel requestedKernelLevel(const char* request, KernelLevel best) {
    if (request == nullptr) return best;
    for (KernelLevel level : kLevels)
        if (kernelLevelName(level) == request) return KernelLevel(std::min(int(level), int(best)));
    return best;
}

KernelLevel defaultKernelLevel() {
#if defined(__wasm__)
    // A WebAssembly module has no environment: the build chooses the level.
    const char* request = nullptr;
#else
    const char* request = std::getenv("VK6_KERNELS");
#endif
    static const KernelLevel level = requestedKernelLevel(request, bestKernelLevel());
    return level;
}

const BlockKernels& defaultKernels() { return kernelsFor(defaultKernelLevel()); }

}  // namespace decoder

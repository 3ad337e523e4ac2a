#include "pipeline/block_kernels.h"

#include <algorithm>
#include <cstdlib>

#include "pipeline/avx2/avx2_kernels.h"
#include "pipeline/cpu_features.h"
#include "pipeline/inverse_dct.h"
#include "pipeline/sse2/sse2_kernels.h"

namespace vk6 {

namespace {

constexpr KernelLevel kLevels[] = {KernelLevel::Reference, KernelLevel::Sse2, KernelLevel::Avx2};
constexpr std::string_view kNames[] = {"reference", "sse2", "avx2"};

}  // namespace

std::span<const KernelLevel> allKernelLevels() { return kLevels; }

std::string_view kernelLevelName(KernelLevel level) { return kNames[int(level)]; }

KernelLevel bestKernelLevel() {
    static const KernelLevel best = cpuRunsAvx2() ? KernelLevel::Avx2 : KernelLevel::Sse2;
    return best;
}

const BlockKernels& kernelsFor(KernelLevel level) {
    static const BlockKernels kernels[] = {
        {&inverseDctReference, &convertToPixelsReference, &blockCopyTable()},
        {&inverseDctSse2, &convertToPixelsSse2, &blockCopyTable()},
        {&inverseDctAvx2, &convertToPixelsAvx2, &blockCopyTable()},
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
    static const KernelLevel level = requestedKernelLevel(std::getenv("VK6_KERNELS"), bestKernelLevel());
    return level;
}

const BlockKernels& defaultKernels() { return kernelsFor(defaultKernelLevel()); }

}  // namespace vk6

#include <gtest/gtest.h>

#include <cstdlib>

#include "decoder/vk6_internal.h"

namespace decoder {
namespace {

TEST(KernelSelection, ARequestNamesALevelUpToTheBest) {
    EXPECT_EQ(requestedKernelLevel("reference", KernelLevel::Avx2), KernelLevel::Reference);
    EXPECT_EQ(requestedKernelLevel("sse2", KernelLevel::Avx2), KernelLevel::Sse2);
    EXPECT_EQ(requestedKernelLevel("avx2", KernelLevel::Avx2), KernelLevel::Avx2);
    // Never above what the processor runs.
    EXPECT_EQ(requestedKernelLevel("avx2", KernelLevel::Sse2), KernelLevel::Sse2);
}

TEST(KernelSelection, NoRequestOrAnUnknownOneGivesTheBest) {
    EXPECT_EQ(requestedKernelLevel(nullptr, KernelLevel::Avx2), KernelLevel::Avx2);
    EXPECT_EQ(requestedKernelLevel("", KernelLevel::Sse2), KernelLevel::Sse2);
    EXPECT_EQ(requestedKernelLevel("AVX2", KernelLevel::Sse2), KernelLevel::Sse2);
    EXPECT_EQ(requestedKernelLevel("avx512", KernelLevel::Avx2), KernelLevel::Avx2);
}

// Every build runs SSE2; a level the processor lacks gives the best it has.
TEST(KernelSelection, LevelsAboveTheProcessorFallBackToItsBest) {
    EXPECT_GE(bestKernelLevel(), KernelLevel::Sse2);
    EXPECT_LE(defaultKernelLevel(), bestKernelLevel());
    for (KernelLevel level : allKernelLevels()) {
        const KernelLevel runs = level <= bestKernelLevel() ? level : bestKernelLevel();
        EXPECT_EQ(&kernelsFor(level), &kernelsFor(runs));
    }
    EXPECT_NE(kernelsFor(KernelLevel::Reference).inverseDct, kernelsFor(KernelLevel::Sse2).inverseDct);
    EXPECT_EQ(&defaultKernels(), &kernelsFor(defaultKernelLevel()));
}

// ctest runs this once more with VK6_KERNELS=sse2.
TEST(KernelSelection, TheEnvironmentChoosesTheDefaultLevel) {
    EXPECT_EQ(defaultKernelLevel(), requestedKernelLevel(std::getenv("VK6_KERNELS"), bestKernelLevel()));
}

}  // namespace
}  // namespace decoder

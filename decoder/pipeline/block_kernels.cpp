#include "pipeline/block_kernels.h"

#include "pipeline/inverse_dct.h"
#include "pipeline/sse2/sse2_kernels.h"

namespace vk6 {

const BlockKernels& referenceKernels() {
    static const BlockKernels kernels{&inverseDctReference, &convertToPixelsReference, &blockCopyTable()};
    return kernels;
}

const BlockKernels& fastKernels() {
    static const BlockKernels kernels{&inverseDctSse2, &convertToPixelsSse2, &blockCopyTable()};
    return kernels;
}

}  // namespace vk6

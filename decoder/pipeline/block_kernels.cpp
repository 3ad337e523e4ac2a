#include "pipeline/block_kernels.h"

#include "pipeline/inverse_dct.h"

namespace vk6 {

const BlockKernels& referenceKernels() {
    static const BlockKernels kernels{&inverseDctReference, &convertToPixelsReference, &blockCopyTable()};
    return kernels;
}

}  // namespace vk6

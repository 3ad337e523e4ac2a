#pragma once
// What the processor and the operating system let the decoder's kernels use.

namespace decoder {

// AVX2 instructions, with the YMM registers saved by the operating system.
// Asks the processor every time it is called.
bool cpuRunsAvx2();

}  // namespace decoder

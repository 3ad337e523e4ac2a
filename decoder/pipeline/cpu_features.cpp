#include "decoder/pipeline/cpu_features.h"

#include <cpuid.h>

#include <cstdint>

namespace decoder {

namespace {

constexpr unsigned kOsxsave = 1u << 27, kAvx = 1u << 28;  // leaf 1, ecx
constexpr unsigned kAvx2 = 1u << 5;                       // leaf 7, ebx
constexpr uint32_t kXmmAndYmmState = 0b110;               // XCR0 bits 1 and 2

// XCR0, which says what register state the operating system saves on a
// context switch. Only to be read when OSXSAVE is set.
uint32_t extendedControlRegister0() {
    uint32_t low, high;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return low;
}

}  // namespace

bool cpuRunsAvx2() {
    unsigned eax, ebx, ecx, edx;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return false;
    if ((ecx & (kOsxsave | kAvx)) != (kOsxsave | kAvx)) return false;
    if ((extendedControlRegister0() & kXmmAndYmmState) != kXmmAndYmmState) return false;
    if (!__get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx)) return false;
    return (ebx & kAvx2) != 0;
}

}  // namespace decoder

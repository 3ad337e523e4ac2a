#pragma once
// The game was built by a compiler that keeps its stack aligned to 4 bytes
// only. Included before everything else (-include) in a 32-bit Windows build
// of the interface tests, this header makes every call of theirs into the
// library on such a stack: 4, 8 or 12 bytes past a multiple of 16, by turns.
// A library that assumes more (an aligned SSE spill, say) crashes there.

#include <cstdint>
#include <type_traits>

#include "decoder/interface/vk6_640x16.h"

namespace decoder::test {

// Calls the cdecl function `function` with `count` 32-bit arguments from
// `words`, with the stack pointer at `misalignment` past a multiple of 16 at
// the call. Returns what the function left in eax.
inline uint32_t callOnMisalignedStack(const void* function, const uint32_t* words, uint32_t count,
                                      uint32_t misalignment) {
    uint32_t result = reinterpret_cast<uintptr_t>(function);
    asm volatile(
        "movl %%esp, %%ebx\n\t"
        "leal 16(,%%ecx,4), %%edi\n\t"
        "subl %%edi, %%esp\n\t"
        "andl $-16, %%esp\n\t"
        "addl %%edx, %%esp\n\t"
        "movl %%esp, %%edi\n\t"
        "cld\n\t"
        "rep movsl\n\t"
        "call *%%eax\n\t"
        "movl %%ebx, %%esp\n\t"
        : "+a"(result), "+c"(count), "+S"(words), "+d"(misalignment)
        :
        : "ebx", "edi", "memory", "cc", "xmm0", "xmm1", "xmm2", "xmm3", "xmm4", "xmm5", "xmm6", "xmm7");
    return result;
}

template <typename T>
uint32_t stackWord(T value) {
    static_assert(sizeof(T) == 4, "every argument of the library's functions is 32 bits");
    if constexpr (std::is_pointer_v<T>)
        return uint32_t(reinterpret_cast<uintptr_t>(value));
    else
        return uint32_t(value);
}

inline uint32_t nextMisalignment() {
    static uint32_t turn = 0;
    return 4 + 4 * (turn++ % 3);
}

template <typename Result, typename... Parameters, typename... Arguments>
Result onFourByteStack(Result(XQMPI_CALL* function)(Parameters...), Arguments&&... arguments) {
    static_assert(sizeof...(Parameters) == sizeof...(Arguments));
    const uint32_t words[] = {stackWord(static_cast<Parameters>(arguments))..., 0};
    const uint32_t value = callOnMisalignedStack(reinterpret_cast<const void*>(function), words,
                                                 uint32_t(sizeof...(Parameters)), nextMisalignment());
    if constexpr (std::is_pointer_v<Result>)
        return reinterpret_cast<Result>(uintptr_t(value));
    else
        return Result(value);
}

}  // namespace decoder::test

#define XQMPI_FOUR_BYTE_STACK(function, ...) ::decoder::test::onFourByteStack(&function __VA_OPT__(, ) __VA_ARGS__)
#define XQMPI_Init(...) XQMPI_FOUR_BYTE_STACK(XQMPI_Init, __VA_ARGS__)
#define XQMPI_DecodeFrame(...) XQMPI_FOUR_BYTE_STACK(XQMPI_DecodeFrame, __VA_ARGS__)
#define XQMPI_DecodeFrameBounded(...) XQMPI_FOUR_BYTE_STACK(XQMPI_DecodeFrameBounded, __VA_ARGS__)
#define XQMPI_Cleanup(...) XQMPI_FOUR_BYTE_STACK(XQMPI_Cleanup, __VA_ARGS__)
#define XQMPI_CreateDecoder(...) XQMPI_FOUR_BYTE_STACK(XQMPI_CreateDecoder, __VA_ARGS__)
#define XQMPI_DecoderPictureRows(...) XQMPI_FOUR_BYTE_STACK(XQMPI_DecoderPictureRows, __VA_ARGS__)
#define XQMPI_DecoderDecodeFrame(...) XQMPI_FOUR_BYTE_STACK(XQMPI_DecoderDecodeFrame, __VA_ARGS__)
#define XQMPI_DecoderLastError(...) XQMPI_FOUR_BYTE_STACK(XQMPI_DecoderLastError, __VA_ARGS__)
#define XQMPI_DecoderErrorText(...) XQMPI_FOUR_BYTE_STACK(XQMPI_DecoderErrorText, __VA_ARGS__)
#define XQMPI_DecoderSetConcealment(...) XQMPI_FOUR_BYTE_STACK(XQMPI_DecoderSetConcealment, __VA_ARGS__)
#define XQMPI_DestroyDecoder(...) XQMPI_FOUR_BYTE_STACK(XQMPI_DestroyDecoder, __VA_ARGS__)

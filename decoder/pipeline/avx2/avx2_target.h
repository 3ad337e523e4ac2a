#pragma once
// Every function defined between VK6_AVX2_BEGIN and VK6_AVX2_END, templates
// from headers included there too, is compiled for AVX2; the rest of the
// translation unit and of the build keeps the baseline. Headers that
// instantiate shared templates (the standard library's) are included before
// the region, so that no copy of theirs that another unit may use needs AVX2.

#if defined(__clang__)
#define VK6_AVX2_BEGIN _Pragma("clang attribute push(__attribute__((target(\"avx2\"))), apply_to = function)")
#define VK6_AVX2_END _Pragma("clang attribute pop")
#else
#define VK6_AVX2_BEGIN _Pragma("GCC push_options") _Pragma("GCC target(\"avx2\")")
#define VK6_AVX2_END _Pragma("GCC pop_options")
#endif

#pragma once
// The one-dimensional transform of the inverse DCT: the AAN butterfly with
// sqrt(2) ~ 3/2 and the rotations in sixteenths, its products formed with
// shifts and adds. Written once for plain 32-bit integers and for vectors of
// them (the compiler's vector extensions), so that every kernel level computes
// the same formulas; the output is 16 times the sample value.
//
// In an unnamed namespace: each instruction set's translation unit compiles
// its own copy, for its own target, which no other unit's copy can replace.

namespace decoder {
namespace {

template <class T>
inline void aanButterfly(T (&x)[8]) {
    const T t10 = x[0] + x[4], t11 = x[0] - x[4];
    const T t13 = x[2] + x[6];
    const T d26 = x[2] - x[6];
    const T t12 = (((d26 << 1) + d26) >> 1) - t13;  // 3/2 (x2 - x6) - t13
    const T e0 = t10 + t13, e3 = t10 - t13, e1 = t11 + t12, e2 = t11 - t12;

    const T z13 = x[5] + x[3], z10 = x[5] - x[3], z11 = x[1] + x[7], z12 = x[1] - x[7];
    const T t7 = z11 + z13;
    const T d1113 = z11 - z13;
    const T u11 = ((d1113 << 1) + d1113) >> 1;  // 3/2 (z11 - z13)
    const T s1012 = z10 + z12;
    const T z5 = (s1012 << 5) - (s1012 << 1);           // 30 (z10 + z12)
    const T u10 = ((z12 << 4) + z12 - z5) >> 4;         // (17 z12 - z5) / 16
    const T u12 = (z5 - (z10 << 5) - (z10 << 3)) >> 4;  // (z5 - 40 z10) / 16
    const T t6 = u12 - t7, t5 = u11 - t6, t4 = u10 + t5;

    x[0] = e0 + t7;
    x[7] = e0 - t7;
    x[1] = e1 + t6;
    x[6] = e1 - t6;
    x[2] = e2 + t5;
    x[5] = e2 - t5;
    x[4] = e3 + t4;
    x[3] = e3 - t4;
}

}  // namespace
}  // namespace decoder

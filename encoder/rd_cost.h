#pragma once
// Rate-distortion costs: squared RGB error plus lambda times bits, in
// integers (lambda in 1/256) so that every build makes the same choices.

#include <cstdint>

namespace encoder {

using Cost = int64_t;
inline constexpr Cost kUnreachable = INT64_MAX / 8;

// lambdaScale is in 1/256 of lambda per squared quantiser step.
Cost lambdaFor(int quality, int lambdaScale);

inline Cost rdCost(int64_t distortion, int bits, Cost lambda) { return distortion * 256 + lambda * bits; }

}  // namespace encoder

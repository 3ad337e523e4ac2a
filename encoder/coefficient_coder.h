#pragma once
// The cheapest nibble codes for one component's quantised levels: a shortest
// path over the scan positions through every code that fits the levels.

#include <array>
#include <cstdint>

#include "encoder/frame_streams.h"

namespace encoder {

// Levels in zigzag order; entry 0 is the DC (-128..127), the others -127..127.
using ComponentLevels = std::array<int16_t, 64>;

// Nibbles the cheapest coding takes, DC and end code included.
int codedNibbles(const ComponentLevels& levels);
// Writes the cheapest coding; returns its nibble count.
int writeComponent(const ComponentLevels& levels, NibbleWriter& out);

}  // namespace encoder

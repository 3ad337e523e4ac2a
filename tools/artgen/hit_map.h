#pragma once
// The colour-coded picture of the window the program finds controls by.

#include "tools/artgen/canvas.h"

namespace artgen {

// Key colour outside the outline (so every row starts and ends with it),
// white on the body and light pink on the glass, each control's area in its
// hit colour, each knob's face a ramp by angle.
IndexedImage renderHitMap();

}  // namespace artgen

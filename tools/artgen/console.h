#pragma once
// The parts of the console that never change: the cast body with its bevels,
// the glass screen, the wells the controls sit in, screws and lettering.

#include "tools/artgen/canvas.h"

namespace artgen {

// The whole scene with the controls left out; outside the outline it is black.
Canvas renderConsole();

}  // namespace artgen

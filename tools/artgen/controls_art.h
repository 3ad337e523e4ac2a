#pragma once
// The controls as they look in each state, painted over the console at their
// places in the scene, so a control's bitmap is the scene cut at its box.

#include "tools/artgen/canvas.h"
#include "tools/artgen/layout.h"

namespace artgen {

// The knob turned to show frame `frame` (0..13) of its strip: the pointer at
// that frame's part of the ramp and the lamps up to it lit.
void drawKnob(Canvas& scene, const KnobSpec& knob, int frame);

void drawToggle(Canvas& scene, const ToggleSpec& toggle, bool hovered, bool on);

void drawButton(Canvas& scene, const ButtonSpec& button, bool lit);

}  // namespace artgen

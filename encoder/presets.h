#pragma once
// Search effort by name: how many copy sources each block weighs, and how
// readily a good copy spares the DCT coding. Medium is EncoderSettings' own
// defaults.

#include "encoder/encoder.h"

namespace encoder {

enum class Preset { Fast, Medium, Slow };

// Sets the search fields of settings; the others stay as they are.
void applyPreset(Preset preset, EncoderSettings& settings);

}  // namespace encoder

#pragma once
// The program's icon: a lit console knob.

#include "tools/artgen/file_formats.h"

namespace artgen {

IconImage renderIcon(int size);

}  // namespace artgen

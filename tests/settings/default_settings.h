#pragma once
// The settings record as applyDefaults leaves it.

#include "setup/settings/setup_settings.h"

namespace setup {

inline SetupSettings defaults() {
    SetupSettings s;
    applyDefaults(s);
    return s;
}

}  // namespace setup

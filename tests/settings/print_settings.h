#pragma once
// Shows a record in failure messages as the file it would be written as.

#include <ostream>

#include "setup/settings/config_writer.h"

namespace setup {
inline void PrintTo(const SetupSettings& s, std::ostream* os) {
    *os << "\n" << writeConfig(s) << "(device \"" << s.device << "\", language \"" << s.language << "\")";
}
}  // namespace setup

#include <io.h>

#include "setup/system/platform.h"

namespace orv {

bool syncToDisk(std::FILE* file) { return _commit(_fileno(file)) == 0; }

}  // namespace orv

#include <io.h>

#include "system/platform.h"

namespace orv {

bool syncToDisk(std::FILE* file) { return _commit(_fileno(file)) == 0; }

}  // namespace orv

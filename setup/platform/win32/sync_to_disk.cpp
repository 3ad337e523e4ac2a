#include <io.h>

#include "setup/system/platform.h"

namespace setup {

bool syncToDisk(std::FILE* file) { return _commit(_fileno(file)) == 0; }

}  // namespace setup

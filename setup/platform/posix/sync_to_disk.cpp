#include <unistd.h>

#include "setup/system/platform.h"

namespace setup {

bool syncToDisk(std::FILE* file) { return fsync(fileno(file)) == 0; }

}  // namespace setup

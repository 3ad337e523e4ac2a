#include <unistd.h>

#include "setup/system/platform.h"

namespace orv {

bool syncToDisk(std::FILE* file) { return fsync(fileno(file)) == 0; }

}  // namespace orv

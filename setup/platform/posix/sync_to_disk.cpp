#include <unistd.h>

#include "system/platform.h"

namespace orv {

bool syncToDisk(std::FILE* file) { return fsync(fileno(file)) == 0; }

}  // namespace orv

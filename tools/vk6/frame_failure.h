#pragma once
// The words for a frame the decoder abandoned, as every vk6 command and the
// player print them: "block at (320, 96): <why>".

#include <string>

#include "vk6_640x16.h"

namespace vk6tool {

// Where and why: the failed block, `why` (the library's text for the report's
// code) and the piece where one applies; no block for a failure of the frame
// as a whole. The player, which loads the library by name, passes the text too.
std::string describeFailure(const XQMPI_ErrorReport& report, const char* why);

}  // namespace vk6tool

#pragma once
// The frames a command works on: "--frames FIRST-LAST" (both included),
// "FIRST-" (to the end) or "N" (one frame), numbered from 0 in display order.

#include <cstdint>
#include <optional>
#include <string>

namespace vk6 {

struct FrameRange {
    uint32_t first = 0;
    uint32_t end = 0;  // one past the last
};

// Every frame when text is empty. Throws a usage Failure for text that is
// not a range or asks for frames the stream does not have.
FrameRange parseFrameRange(const std::optional<std::string>& text, uint32_t frameCount);

}  // namespace vk6

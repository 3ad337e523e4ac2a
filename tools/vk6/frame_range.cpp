#include "tools/vk6/frame_range.h"

#include <charconv>

#include "tools/cli/failure.h"

namespace vk6 {

namespace {

std::optional<uint32_t> number(std::string_view text) {
    uint32_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace

FrameRange parseFrameRange(const std::optional<std::string>& text, uint32_t frameCount) {
    if (!text) return {0, frameCount};
    const std::string_view range = *text;
    const size_t dash = range.find('-');
    const auto first = number(range.substr(0, dash));
    const auto last = dash == std::string_view::npos ? first
                      : dash + 1 == range.size()     ? std::optional<uint32_t>(frameCount - 1)
                                                     : number(range.substr(dash + 1));
    if (!first || !last || *last < *first)
        cli::failUsage("--frames takes FIRST-LAST, FIRST- or N, not '" + *text + "'");
    if (frameCount == 0 || *last >= frameCount)
        cli::failUsage("--frames " + *text + " asks for frames past the last one (the stream has " +
                       std::to_string(frameCount) + ")");
    return {*first, *last + 1};
}

}  // namespace vk6

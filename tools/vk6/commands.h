#pragma once
// The subcommands of vk6: each has its --help text and its body, which the
// program's frame runs (common/tool.h).

#include <span>
#include <string_view>

namespace vk6 {

extern const std::string_view kInfoHelp;
int info(std::span<char* const> args);

extern const std::string_view kDecodeHelp;
int decode(std::span<char* const> args);

extern const std::string_view kCheckHelp;
int check(std::span<char* const> args);

extern const std::string_view kEncodeHelp;
int encode(std::span<char* const> args);

extern const std::string_view kThumbnailHelp;
int thumbnail(std::span<char* const> args);

}  // namespace vk6

#pragma once
// The two things the tools need to know of the platform's console.

#include <cstdio>

namespace orv::cli {

bool isTerminal(std::FILE* stream);
// Bytes written to the stream go out unchanged (no line-end translation).
void setBinary(std::FILE* stream);

}  // namespace orv::cli

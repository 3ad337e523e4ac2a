#pragma once
// What the tools need to know of the platform's console and command line.

#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace cli {

bool isTerminal(std::FILE* stream);
// Bytes written to the stream go out unchanged (no line-end translation).
void setBinary(std::FILE* stream);
// Text written to a console shows as UTF-8, the encoding of the tools'
// messages and file names (Windows' console would take it in its own code
// page; it gets that back when the program ends).
void useUtf8Console();

// The arguments after the program's name as UTF-8, for runTool. Windows
// programs start at wmain or wWinMain and give the wide arguments, which
// hold every name the ANSI code page cannot.
class Utf8Arguments {
public:
    Utf8Arguments(int argc, char** argv);
#if defined(_WIN32)
    Utf8Arguments(int argc, wchar_t** argv);
#endif
    Utf8Arguments(const Utf8Arguments&) = delete;
    Utf8Arguments& operator=(const Utf8Arguments&) = delete;
    std::span<char* const> get() const { return pointers_; }

private:
    void point();

    std::vector<std::string> strings_;
    std::vector<char*> pointers_;
};

}  // namespace cli

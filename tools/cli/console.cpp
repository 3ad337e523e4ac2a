#include "tools/cli/console.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "support/file_names.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace cli {

Utf8Arguments::Utf8Arguments(int argc, char** argv) : strings_(argv + std::min(argc, 1), argv + argc) { point(); }

void Utf8Arguments::point() {
    for (std::string& argument : strings_) pointers_.push_back(argument.data());
}

#if defined(_WIN32)

Utf8Arguments::Utf8Arguments(int argc, wchar_t** argv) {
    for (int i = 1; i < argc; ++i) strings_.push_back(support::utf8Name(std::filesystem::path(argv[i])));
    point();
}

bool isTerminal(std::FILE* stream) { return _isatty(_fileno(stream)) != 0; }

void setBinary(std::FILE* stream) { _setmode(_fileno(stream), _O_BINARY); }

namespace {
UINT consoleCodePage = 0;
}  // namespace

void useUtf8Console() {
    if (consoleCodePage != 0 || (!isTerminal(stdout) && !isTerminal(stderr))) return;
    consoleCodePage = GetConsoleOutputCP();
    if (consoleCodePage == 0 || !SetConsoleOutputCP(CP_UTF8)) return;
    std::atexit([] { SetConsoleOutputCP(consoleCodePage); });
}

#else

bool isTerminal(std::FILE* stream) { return isatty(fileno(stream)) != 0; }

void setBinary(std::FILE*) {}

void useUtf8Console() {}

#endif

}  // namespace cli

#pragma once
// Exit codes of the project's tools, and the failure that carries one.

#include <stdexcept>
#include <string>

#include "support/file_error.h"

namespace cli {

enum ExitCode : int {
    kExitOk = 0,
    kExitBadInput = 1,  // an input file is malformed or does not fit the request
    kExitUsage = 2,     // the command line is wrong
    kExitIo = 3,        // a file cannot be opened, read or written
};

class Failure : public std::runtime_error {
public:
    Failure(ExitCode code, const std::string& message) : std::runtime_error(message), code_(code) {}
    ExitCode code() const { return code_; }

private:
    ExitCode code_;
};

[[noreturn]] inline void failUsage(const std::string& message) { throw Failure(kExitUsage, message); }
[[noreturn]] inline void failInput(const std::string& message) { throw Failure(kExitBadInput, message); }
[[noreturn]] inline void failIo(const std::string& message) { throw Failure(kExitIo, message); }

// Runs body, turning the file libraries' errors into failures: a malformed
// file is bad input, a file that cannot be read or written an I/O error.
template <class Body>
decltype(auto) withFileFailures(Body&& body) {
    try {
        return body();
    } catch (const support::FileError& error) {
        throw Failure(error.kind() == support::FileError::Kind::Io ? kExitIo : kExitBadInput, error.what());
    }
}

}  // namespace cli

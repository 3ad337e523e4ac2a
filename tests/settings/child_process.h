#pragma once
// Runs a piece of a test in a process of its own (POSIX), so that the test can
// kill it, limit its files or take away its privileges.

#include <sys/types.h>

#include <functional>
#include <string>

namespace setup {

// How a child ended: its exit code, or the signal that ended it.
struct ChildEnd {
    int exitCode = -1;  // -1 when a signal ended it
    int signal = 0;     // 0 when it exited
};

std::string describe(const ChildEnd& end);

// Starts the child, which runs work and exits with its result. The parent
// returns once the child has called ready() (or ended), so that what the
// parent does next happens while the work runs.
using ChildWork = std::function<int(const std::function<void()>& ready)>;
pid_t startChild(const ChildWork& work);

ChildEnd waitChild(pid_t child);

// Starts the child and waits for it.
ChildEnd runChild(const std::function<int()>& work);

}  // namespace setup

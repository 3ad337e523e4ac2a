#include "tests/settings/child_process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>

namespace setup {

std::string describe(const ChildEnd& end) {
    if (end.signal != 0) return "ended by signal " + std::to_string(end.signal) + " (" + strsignal(end.signal) + ")";
    return "exited with " + std::to_string(end.exitCode);
}

pid_t startChild(const ChildWork& work) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return -1;
    pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        const int code = work([&] {
            char byte = 1;
            (void)!write(pipeEnds[1], &byte, 1);
        });
        _exit(code);  // no test framework teardown in the child
    }
    close(pipeEnds[1]);
    char byte;
    if (child > 0) (void)!read(pipeEnds[0], &byte, 1);  // the byte, or the end of the pipe when the child ends first
    close(pipeEnds[0]);
    return child;
}

ChildEnd waitChild(pid_t child) {
    int status = 0;
    if (child <= 0 || waitpid(child, &status, 0) != child) return {};
    if (WIFSIGNALED(status)) return {-1, WTERMSIG(status)};
    return {WEXITSTATUS(status), 0};
}

ChildEnd runChild(const std::function<int()>& work) {
    return waitChild(startChild([&](const std::function<void()>& ready) {
        ready();
        return work();
    }));
}

}  // namespace setup

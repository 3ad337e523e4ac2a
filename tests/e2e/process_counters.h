#pragma once
// The memory and handle counters of another process: what Windows reports
// for it, and what Linux reports for the Wine process that runs it.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace setup::e2e {

// What each counter is worth on Wine 8, where the orvsetup process was asked:
// - privateUsage (GetProcessMemoryInfo's PrivateUsage): always 0, Wine leaves
//   it unset. pagefileUsage is Windows' other name for the private bytes and
//   is real: Wine fills it from the Linux process's anonymous memory (RssAnon).
// - workingSet: real, Wine takes it from VmRSS.
// - gdiObjects, userObjects (GetGuiResources): a stub that returns 0 and sets
//   ERROR_CALL_NOT_IMPLEMENTED, so they count as not reported.
// - handles (GetProcessHandleCount): succeeds but gives 0. The system's
//   process list (NtQuerySystemInformation) carries the wineserver's true
//   count, which is listHandles.
// A counter of 0 is "not reported": no running process has no private memory,
// no handles or (with a window) no user objects.
struct CounterSample {
    double seconds = 0;
    int rounds = 0;  // of the soak, before the sample
    std::uint64_t privateUsage = 0;
    std::uint64_t pagefileUsage = 0;
    std::uint64_t workingSet = 0;
    std::uint32_t gdiObjects = 0;
    std::uint32_t userObjects = 0;
    std::uint32_t handles = 0;
    std::uint32_t listHandles = 0;
    // VmRSS and VmSize of the Linux process in bytes; 0 off Wine.
    std::uint64_t linuxRss = 0;
    std::uint64_t linuxVirtual = 0;
};

// The Linux process id of the Wine process whose command line holds that
// argument, looked up through Wine's drive Z: (the host's root); nothing off
// Wine or when no process matches.
std::optional<int> linuxProcessWithArgument(const std::string& argument);

CounterSample sampleCounters(const PROCESS_INFORMATION& process, std::optional<int> linuxPid, double seconds,
                             int rounds);

}  // namespace setup::e2e

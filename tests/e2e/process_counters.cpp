#include "tests/e2e/process_counters.h"

#include <psapi.h>
#include <winternl.h>

#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

#include "tests/e2e/setup_expectations.h"

namespace setup::e2e {
namespace {

// A "Name:  value kB" line of /proc/PID/status, in bytes.
std::uint64_t statusBytes(const std::string& status, const char* name) {
    const std::size_t at = status.find(std::string("\n") + name + ":");
    if (at == std::string::npos) return 0;
    return std::strtoull(status.c_str() + at + std::strlen(name) + 2, nullptr, 10) * 1024;
}

// The handle count of the process in the system's process list.
std::uint32_t handlesInProcessList(DWORD pid) {
    using Query = NTSTATUS(WINAPI*)(SYSTEM_INFORMATION_CLASS, PVOID, ULONG, PULONG);
    static const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<std::uint8_t> buffer(1 << 16);
    ULONG needed = 0;
    NTSTATUS status;
    while ((status = query(SystemProcessInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &needed)) ==
           static_cast<NTSTATUS>(0xC0000004L))  // STATUS_INFO_LENGTH_MISMATCH
        buffer.resize(buffer.size() * 2);
    if (status != 0) return 0;
    for (std::size_t at = 0;;) {
        const auto* entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer.data() + at);
        if (reinterpret_cast<std::uintptr_t>(entry->UniqueProcessId) == pid) return entry->HandleCount;
        if (entry->NextEntryOffset == 0) return 0;
        at += entry->NextEntryOffset;
    }
}

}  // namespace

// /proc/PID/cmdline holds the Windows command line's arguments, NUL-separated.
std::optional<int> linuxProcessWithArgument(const std::string& argument) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA("Z:\\proc\\*", &entry);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<int> found;
    do {
        const int pid = std::atoi(entry.cFileName);
        if (pid <= 0) continue;
        const std::string line = slurp(std::string("Z:\\proc\\") + entry.cFileName + "\\cmdline");
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\0');)
            if (field == argument) found = pid;
    } while (!found && FindNextFileA(search, &entry));
    FindClose(search);
    return found;
}

CounterSample sampleCounters(const PROCESS_INFORMATION& process, std::optional<int> linuxPid, double seconds,
                             int rounds) {
    CounterSample sample;
    sample.seconds = seconds;
    sample.rounds = rounds;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        sample.privateUsage = memory.PrivateUsage;
        sample.pagefileUsage = memory.PagefileUsage;
        sample.workingSet = memory.WorkingSetSize;
    }
    sample.gdiObjects = GetGuiResources(process.hProcess, GR_GDIOBJECTS);
    sample.userObjects = GetGuiResources(process.hProcess, GR_USEROBJECTS);
    DWORD handles = 0;
    if (GetProcessHandleCount(process.hProcess, &handles)) sample.handles = handles;
    sample.listHandles = handlesInProcessList(process.dwProcessId);
    if (linuxPid) {
        const std::string status = slurp("Z:\\proc\\" + std::to_string(*linuxPid) + "\\status");
        sample.linuxRss = statusBytes(status, "VmRSS");
        sample.linuxVirtual = statusBytes(status, "VmSize");
    }
    return sample;
}

}  // namespace setup::e2e

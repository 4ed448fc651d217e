#include "Memory.h"

#include <windows.h>

#include <psapi.h>

#include <algorithm>

namespace platform {

std::uint64_t AvailableMemory() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!::GlobalMemoryStatusEx(&status)) return 0;
    return std::min(status.ullAvailVirtual, status.ullAvailPageFile);
}

std::uint64_t CommittedMemory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return counters.PagefileUsage;
}

}  // namespace platform

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

namespace {
// Asking the system costs a little; once per this much intake is often enough.
constexpr std::size_t kLookEvery = std::size_t{1} << 20;
}  // namespace

MemoryWatch::MemoryWatch(std::size_t total, std::uint64_t keepFree)
    : total_(total), keepFree_(keepFree), committedAtStart_(CommittedMemory()), nextLook_(kLookEvery) {}

bool MemoryWatch::Affords(std::size_t done) {
    if (done < nextLook_) return true;
    nextLook_ = done + kLookEvery;
    // The rest is expected to cost what the same amount has cost so far.
    const double rest = CostPerByte(done) * static_cast<double>(total_ > done ? total_ - done : 0);
    return rest + static_cast<double>(keepFree_) <= static_cast<double>(AvailableMemory());
}

double MemoryWatch::CostPerByte(std::size_t done) const {
    if (done == 0) return 0;
    const std::uint64_t committed = CommittedMemory();
    const std::uint64_t spent = committed > committedAtStart_ ? committed - committedAtStart_ : 0;
    return static_cast<double>(spent) / static_cast<double>(done);
}

}  // namespace platform

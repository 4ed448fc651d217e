// How much memory the process can still count on, and how much it has.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// What the process could still commit: the smaller of its free address space
// and the system's free memory (physical plus paging file).
std::uint64_t AvailableMemory();

// Memory the process has committed so far.
std::uint64_t CommittedMemory();

}  // namespace platform

// How much memory the process can still count on, and a watch that stops a long
// intake before it would exhaust it.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// What the process could still commit: the smaller of its free address space
// and the system's free memory (physical plus paging file).
std::uint64_t AvailableMemory();

// Memory the process has committed so far.
std::uint64_t CommittedMemory();

// Follows an intake of `total` bytes and judges, from what the part taken in so
// far has cost, whether the rest still fits while `keepFree` bytes stay free.
class MemoryWatch {
public:
    MemoryWatch(std::size_t total, std::uint64_t keepFree);
    // Called as the intake proceeds; false once the rest would not fit. Looks at
    // the system only now and then, so it may be called for every chunk.
    bool Affords(std::size_t done);
    // What the intake has cost per byte so far (once something has been taken in).
    double CostPerByte(std::size_t done) const;

private:
    std::size_t total_;
    std::uint64_t keepFree_;
    std::uint64_t committedAtStart_;
    std::size_t nextLook_;  // the first look comes after the first megabyte
};

}  // namespace platform

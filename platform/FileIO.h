// Whole-file reading and deletion by path.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// What a reader can take: files larger than maxSize, or whose use would not fit in
// the memory still available (memoryPerByte times their size, with keepFree bytes
// left over), are refused before they are read.
struct ReadLimits {
    std::uint64_t maxSize = UINT64_MAX;
    double memoryPerByte = 1.0;
    std::uint64_t keepFree = 0;
};

// Opens the file for reading while denying other processes write access, reads it
// whole and closes it. Throws FileError when it cannot be opened or read, when the
// path names no disk file (a device, a pipe: those could block the reader), or
// when the file is beyond the limits.
std::string ReadWholeFile(const std::string& path, const ReadLimits& limits = {});

// Removes the file; true when it did (DeleteFileA).
bool DeleteFileAt(const std::string& path);

// True when something exists at the path (file or folder).
bool PathExists(const std::string& path);

}  // namespace platform

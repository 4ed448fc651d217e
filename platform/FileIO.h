// Whole-file reading and deletion by path.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Opens the file for reading while denying other processes write access, reads it
// whole and closes it. Throws FileError when it cannot be opened or read, or when
// the path names no disk file (a device, a pipe): those could block the reader,
// or when the caller's use of it would not fit in the memory still available:
// memoryPerByte times its size, with keepFree bytes left over.
std::string ReadWholeFile(const std::string& path, double memoryPerByte = 1.0, std::uint64_t keepFree = 0);

// Removes the file; true when it did (DeleteFileA).
bool DeleteFileAt(const std::string& path);

// True when something exists at the path (file or folder).
bool PathExists(const std::string& path);

}  // namespace platform

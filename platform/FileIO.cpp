#include "FileIO.h"

#include <windows.h>

#include <limits>

#include "Errors.h"
#include "Handles.h"
#include "Memory.h"

namespace platform {

std::string ReadWholeFile(const std::string& path, const ReadLimits& limits) {
    FileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) throw FileError("Cannot open file \"" + path + "\"");
    // A console, a serial port or a pipe may hold back its data forever.
    if (::GetFileType(file.Get()) != FILE_TYPE_DISK) throw FileError("Not a disk file: \"" + path + "\"");

    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size)) throw FileError("Cannot read file \"" + path + "\"");
    // Asked first, not found out by trying: a system that promises more memory
    // than it has may end the process when the pages are touched.
    const auto bytes = static_cast<std::uint64_t>(size.QuadPart);
    if (bytes > limits.maxSize) throw FileError("File too large: \"" + path + "\"");
    const double needed = limits.memoryPerByte * static_cast<double>(bytes) + static_cast<double>(limits.keepFree);
    if (bytes > std::numeric_limits<size_t>::max() / 2 || needed > static_cast<double>(AvailableMemory()))
        throw FileError("File too large for the memory: \"" + path + "\"");

    std::string content;
    try {
        content.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        throw FileError("Out of memory reading \"" + path + "\"");
    }
    size_t done = 0;
    while (done < content.size()) {
        constexpr DWORD kChunk = 1u << 24;
        const size_t left = content.size() - done;
        const DWORD wanted = left < kChunk ? static_cast<DWORD>(left) : kChunk;
        DWORD got = 0;
        if (!::ReadFile(file.Get(), content.data() + done, wanted, &got, nullptr))
            throw FileError("Cannot read file \"" + path + "\"");
        if (got == 0) break;  // the file shrank while we read it: keep what is there
        done += got;
    }
    content.resize(done);
    return content;
}

bool DeleteFileAt(const std::string& path) { return ::DeleteFileA(path.c_str()) != FALSE; }

bool PathExists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace platform

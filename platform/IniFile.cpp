#include "IniFile.h"

#include <windows.h>

#include "Errors.h"

namespace platform {

namespace {
constexpr DWORD kReadBufferSize = 2048;
}

IniFile::IniFile(std::string fileName) : fileName_(std::move(fileName)) {}

std::string IniFile::ReadString(const std::string& section, const std::string& key, const std::string& fallback) const {
    char buffer[kReadBufferSize];
    const DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer,
                                                    kReadBufferSize, fileName_.c_str());
    return std::string(buffer, length);
}

void IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    if (!::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), fileName_.c_str()))
        throw IniFileError("Unable to write to " + fileName_);
}

}  // namespace platform

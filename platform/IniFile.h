// Reads and writes single keys of a Windows INI file, straight on disk at every call.
#pragma once

#include <string>

namespace platform {

class IniFile {
public:
    explicit IniFile(std::string fileName);
    virtual ~IniFile() = default;

    const std::string& FileName() const { return fileName_; }

    // The key's value, or fallback when the file, the section or the key is missing.
    // A present key with an empty value gives an empty string. Values are read into
    // a 2048-character buffer, so longer ones come back cut to 2047 characters.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& fallback) const;

    // Creates the file and the section when missing; other content is kept.
    // Throws IniFileError("Unable to write to <file>") on failure.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);

private:
    std::string fileName_;
};

}  // namespace platform

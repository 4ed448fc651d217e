// The settings store: where the journal lies, kept in memory and in the INI file.
#pragma once

#include <memory>
#include <string>

#include "IniFile.h"

class TIniData : public platform::IniFile {
public:
    // Reads the journal path at once; a missing file, section or key leaves the default.
    explicit TIniData(const std::string& FileName);

    const std::string& IniFileName() const { return IniFileName_; }
    const std::string& JnlFileName() const { return JnlFileName_; }

    // Takes the new path in memory first, then writes it to the file at once
    // (throws platform::IniFileError when the file cannot be written).
    void SetJnlFileName(const std::string& Value);

    static constexpr const char* kDefaultJnlFileName = "c:\\Windows\\Temp\\spss.jnl";

private:
    std::string IniFileName_;
    std::string JnlFileName_;
};

// The program's one settings store, made by the main window's creation step.
extern std::unique_ptr<TIniData> IniData;

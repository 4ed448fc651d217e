#include "IniDatUnit.h"

std::unique_ptr<TIniData> IniData;

namespace {
constexpr const char* kSection = "Opt";
constexpr const char* kJnlFileNameKey = "JnlFileName";
}  // namespace

TIniData::TIniData(const std::string& FileName)
    : IniFile(FileName), IniFileName_(FileName), JnlFileName_(kDefaultJnlFileName) {
    JnlFileName_ = ReadString(kSection, kJnlFileNameKey, JnlFileName_);
}

void TIniData::SetJnlFileName(const std::string& Value) {
    JnlFileName_ = Value;
    WriteString(kSection, kJnlFileNameKey, Value);
}

// The settings store against the real INI file, through the system's profile functions.
#include <gtest/gtest.h>

#include "IniDatUnit.h"
#include "IniFile.h"
#include "TestSupport.h"

using testing_support::Exists;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

struct ReadCase {
    const char* name;
    const char* content;  // nullptr: no settings file at all
    std::string expected;
};

class SettingsRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(SettingsRead, GivesThePathTheFileHolds) {
    TempDir dir;
    const std::string ini = dir.File("Sitzblick.ini");
    if (GetParam().content) WriteBytes(ini, GetParam().content);
    TIniData settings(ini);
    EXPECT_EQ(settings.JnlFileName(), GetParam().expected);
    EXPECT_EQ(settings.IniFileName(), ini);
    EXPECT_EQ(Exists(ini), GetParam().content != nullptr) << "reading must never create the file";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsRead,
    ::testing::Values(
        ReadCase{"NoFile", nullptr, "c:\\Windows\\Temp\\spss.jnl"},
        ReadCase{"NoSection", "[Other]\r\nJnlFileName=x\r\n", "c:\\Windows\\Temp\\spss.jnl"},
        ReadCase{"NoKey", "[Opt]\r\nOther=x\r\n", "c:\\Windows\\Temp\\spss.jnl"},
        ReadCase{"EmptyValue", "[Opt]\r\nJnlFileName=\r\n", ""},
        ReadCase{"Plain", "[Opt]\r\nJnlFileName=d:\\spss\\my.jnl\r\n", "d:\\spss\\my.jnl"},
        ReadCase{"OtherSectionsAround", "[A]\r\nk=1\r\n[Opt]\r\nJnlFileName=p.jnl\r\n[B]\r\nJnlFileName=no\r\n", "p.jnl"},
        ReadCase{"CommentsAndBlankLines", "; settings\r\n\r\n[Opt]\r\n; the journal\r\nJnlFileName=c.jnl\r\n", "c.jnl"},
        ReadCase{"KeyInOtherCase", "[opt]\r\njnlfilename=lower.jnl\r\n", "lower.jnl"},
        ReadCase{"SpacesAroundEquals", "[Opt]\r\nJnlFileName = spaced.jnl \r\n", "spaced.jnl"},
        ReadCase{"NoFinalLineBreak", "[Opt]\r\nJnlFileName=last.jnl", "last.jnl"},
        ReadCase{"UnixLineEnds", "[Opt]\nJnlFileName=unix.jnl\n", "unix.jnl"},
        ReadCase{"Umlauts", "[Opt]\r\nJnlFileName=c:\\M\xFC" "ller\\sp\xE4ter.jnl\r\n", "c:\\M\xFC" "ller\\sp\xE4ter.jnl"}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(Settings, ALongValueIsCutTo2047Characters) {
    TempDir dir;
    const std::string ini = dir.File("Sitzblick.ini");
    const std::string longPath(3000, 'x');
    WriteBytes(ini, "[Opt]\r\nJnlFileName=" + longPath + "\r\n");
    EXPECT_EQ(TIniData(ini).JnlFileName(), longPath.substr(0, 2047));
}

TEST(Settings, WriteCreatesTheFileWithSectionAndKey) {
    TempDir dir;
    const std::string ini = dir.File("Sitzblick.ini");
    TIniData settings(ini);
    settings.SetJnlFileName("d:\\neu.jnl");
    EXPECT_EQ(settings.JnlFileName(), "d:\\neu.jnl");
    EXPECT_EQ(ReadBytes(ini), "[Opt]\r\nJnlFileName=d:\\neu.jnl\r\n");
    EXPECT_EQ(TIniData(ini).JnlFileName(), "d:\\neu.jnl");
}

TEST(Settings, ASecondWriteReplacesTheValueAndKeepsEverythingElse) {
    TempDir dir;
    const std::string ini = dir.File("Sitzblick.ini");
    WriteBytes(ini, "; mine\r\n[Fenster]\r\nLinks=3\r\n[Opt]\r\nJnlFileName=alt.jnl\r\nAnderes=1\r\n");
    TIniData settings(ini);
    settings.SetJnlFileName("eins.jnl");
    settings.SetJnlFileName("zwei.jnl");
    EXPECT_EQ(ReadBytes(ini), "; mine\r\n[Fenster]\r\nLinks=3\r\n[Opt]\r\nJnlFileName=zwei.jnl\r\nAnderes=1\r\n");
}

TEST(Settings, AnEmptyPathIsStoredAsEmpty) {
    TempDir dir;
    const std::string ini = dir.File("Sitzblick.ini");
    TIniData(ini).SetJnlFileName("");
    EXPECT_EQ(TIniData(ini).JnlFileName(), "");
}

TEST(Settings, AFailedWriteRaisesTheErrorAndKeepsTheNewPathInMemory) {
    TempDir dir;
    const std::string ini = dir.File("Sitzblick.ini");
    ASSERT_TRUE(::CreateDirectoryA(ini.c_str(), nullptr));  // a folder where the file should be
    TIniData settings(ini);
    try {
        settings.SetJnlFileName("neu.jnl");
        FAIL() << "no error raised";
    } catch (const platform::IniFileError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + ini);
    }
    EXPECT_EQ(settings.JnlFileName(), "neu.jnl");
}

}  // namespace

// Start-up: the working directory, the settings path, the title, the first focus.
#include <gtest/gtest.h>

#include "ProgramFixture.h"
#include "SitzblickVersion.h"
#include "VersionString.h"

using testing_support::Exists;

namespace {

class StartupTest : public ProgramTest {};

TEST_F(StartupTest, TitleNamesTheWorkingDirectory) {
    EXPECT_EQ(GUIForm->Caption(), "Sitzblick [1.0.0] 30.01.2002 (Arbeitsverzeichnis: " + dir.Path() + ")");
    EXPECT_EQ(GUIForm->WorkDirectory(), dir.Path());
    EXPECT_EQ(IniData->IniFileName(), dir.Path() + "\\Sitzblick.ini");
    EXPECT_EQ(IniData->JnlFileName(), JournalPath());
}

TEST_F(StartupTest, ApplicationTitleComesFromTheProgramName) {
    // This test program is GUITests.exe.
    EXPECT_EQ(app->Title(), "Guitests");
}

TEST(Version, TheIdentityTextNamesTheBuildsVersion) {
    // The build's version comes from the project; the identity text is written out.
    EXPECT_NE(std::string(VersionString).find("[" SITZBLICK_VERSION_TEXT "]"), std::string::npos) << VersionString;
}

TEST(ApplicationTitle, LowersAllButTheFirstLetterAsTheCodePageDoes) {
    const struct {
        const char* path;
        const char* title;
    } cases[] = {
        {"C:\\Programme\\SITZBLICK.EXE", "Sitzblick"},
        {"C:\\Programme\\SITZBLICK-\xDC" "BERSICHT.EXE", "Sitzblick-\xFC" "bersicht"},
        {"\xC4RGER\xC9\xD6.EXE", "\xC4rger\xE9\xF6"},
        {"Z:\\mit.punkt\\Sitzblick", "Sitzblick"},
        {"sitzblick.v2.exe", "sitzblick"},
        {"C:\\X.EXE", "X"},
    };
    for (const auto& c : cases) EXPECT_EQ(platform::ApplicationTitle(c.path), c.title) << c.path;
}

TEST_F(StartupTest, FirstTickFocusesTheReloadButtonAndStopsTheTimer) {
    EXPECT_FALSE(GUIForm->StartTimer.Enabled());
    EXPECT_TRUE(GUIForm->aktButton.Focused());
    EXPECT_EQ(GUIForm->aktButton.Caption(), "Jounalfile neu lesen");
}

TEST_F(StartupTest, StartsInTheInitialState) {
    EXPECT_EQ(GUIForm->jnlRichEdit.TextLength(), 0);
    EXPECT_FALSE(GUIForm->killButton.Visible());
    EXPECT_FALSE(GUIForm->Journalfilelschen1.Enabled());
    EXPECT_FALSE(GUIForm->allesmarkieren1.Enabled());
    EXPECT_FALSE(GUIForm->kopieren1.Enabled());
}

TEST_F(StartupTest, MainWindowHasItsDesignedPlaceAndSize) {
    EXPECT_EQ(GUIForm->Left(), 0);
    EXPECT_EQ(GUIForm->Top(), 103);
    EXPECT_EQ(GUIForm->Width(), 444);
    EXPECT_EQ(GUIForm->Height(), 357);
    EXPECT_EQ(GUIForm->jnlRichEdit.Width(), 417);
    EXPECT_EQ(GUIForm->jnlRichEdit.Height(), 257);
    EXPECT_EQ(GUIForm->killButton.Left(), 128);
}

TEST_F(StartupTest, EnterOnTheFocusedReloadButtonReadsTheJournal) {
    WriteJournal("GET FILE='a.sav'.\r\n");
    testing_support::PressKey(*app, VK_RETURN);
    EXPECT_EQ(GUIForm->jnlRichEdit.Text(), "GET FILE='a.sav'.\r\n");
    EXPECT_TRUE(GUIForm->killButton.Visible());
}

TEST_F(StartupTest, NoDefaultSettingsFileIsCreated) {
    Stop();
    ::DeleteFileA(dir.File("Sitzblick.ini").c_str());
    Start();
    EXPECT_EQ(IniData->JnlFileName(), "c:\\Windows\\Temp\\spss.jnl");
    EXPECT_FALSE(Exists(dir.File("Sitzblick.ini")));
}

TEST_F(StartupTest, InADriveRootTheSettingsPathHasTwoBackslashes) {
    Stop();
    char previous[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(::SetCurrentDirectoryA("Z:\\"));
    Start();
    EXPECT_EQ(IniData->IniFileName(), "Z:\\\\Sitzblick.ini");
    EXPECT_EQ(GUIForm->Caption(), std::string(VersionString) + " (Arbeitsverzeichnis: Z:\\)");
    Stop();
    ::SetCurrentDirectoryA(previous);
    Start();
}

}  // namespace

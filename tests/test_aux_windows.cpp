// The options, help and version windows, opened from the main window.
#include <gtest/gtest.h>

#include "HilfeUnit.h"
#include "OptUnit.h"
#include "ProgramFixture.h"
#include "VersionString.h"
#include "VersionUnit.h"

using testing_support::Exists;
using testing_support::ModalAnswerer;
using testing_support::PressKey;
using testing_support::ReadBytes;

namespace {

class AuxWindowTest : public ProgramTest {
protected:
    void SwitchStayOnTopOn() {
        GUIForm->Programmimmersichtbar1Click();
        ASSERT_TRUE(GUIForm->StayOnTop());
    }
    void ExpectStayOnTopDropped() {
        EXPECT_FALSE(GUIForm->StayOnTop());
        EXPECT_FALSE(GUIForm->Programmimmersichtbar1.Checked());
    }
    void ExpectCentredOverMain(const platform::Form& form) {
        EXPECT_NEAR(form.Left() + form.Width() / 2, GUIForm->Left() + GUIForm->Width() / 2, 1);
        EXPECT_NEAR(form.Top() + form.Height() / 2, GUIForm->Top() + GUIForm->Height() / 2, 1);
    }
    void Type(platform::Edit& edit, const std::string& text) {
        edit.SetFocus();
        for (char c : text) ::PostMessageA(edit.Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
        app->ProcessMessages();
    }
    void ClearEdit(platform::Edit& edit) {
        ::SendMessageA(edit.Handle(), EM_SETSEL, 0, -1);
        ::SendMessageA(edit.Handle(), WM_CLEAR, 0, 0);
        app->ProcessMessages();
    }
};

// ---- start-up --------------------------------------------------------------

TEST_F(AuxWindowTest, AllFourWindowsExistAndOnlyTheMainOneIsShown) {
    ASSERT_TRUE(HilfeForm && OptGUIForm && VersionForm);
    EXPECT_TRUE(GUIForm->Visible());
    EXPECT_FALSE(HilfeForm->Visible());
    EXPECT_FALSE(OptGUIForm->Visible());
    EXPECT_FALSE(VersionForm->Visible());
    EXPECT_EQ(HilfeForm->Caption(), "Hilfe");
    EXPECT_EQ(OptGUIForm->Caption(), "Optionen");
    EXPECT_EQ(VersionForm->Caption(), "Version");
}

// ---- options -----------------------------------------------------------------

TEST_F(AuxWindowTest, OptionsOpenUnchangedWithTheCurrentPath) {
    SwitchStayOnTopOn();
    GUIForm->Optionen1Click();
    ExpectStayOnTopDropped();
    ASSERT_TRUE(OptGUIForm->Visible());
    ExpectCentredOverMain(*OptGUIForm);
    EXPECT_EQ(OptGUIForm->JnlEdit.Text(), JournalPath());
    EXPECT_FALSE(OptGUIForm->OkButton.Enabled());
    EXPECT_EQ(OptGUIForm->EscButton.Caption(), "schlie\xDF" "en");
    EXPECT_EQ(OptGUIForm->JnlGroupBox.Caption(), "Sitzungs-Journal");
    EXPECT_EQ(OptGUIForm->OkButton.Caption(), "annehmen");
    EXPECT_EQ(OptGUIForm->Height(), 133);
}

TEST_F(AuxWindowTest, OptionsTabOrderIsEscapeEditAccept) {
    GUIForm->Optionen1Click();
    Type(OptGUIForm->JnlEdit, "x");
    const HWND window = OptGUIForm->Handle();
    const HWND first = ::GetNextDlgTabItem(window, nullptr, FALSE);
    EXPECT_EQ(first, OptGUIForm->EscButton.Handle());
    const HWND second = ::GetNextDlgTabItem(window, first, FALSE);
    EXPECT_EQ(second, OptGUIForm->JnlEdit.Handle());
    EXPECT_EQ(::GetNextDlgTabItem(window, second, FALSE), OptGUIForm->OkButton.Handle());
}

TEST_F(AuxWindowTest, ClosingWithSchliessenLeavesNoSettingsFile) {
    Stop();
    ASSERT_TRUE(::DeleteFileA(dir.File("Sitzblick.ini").c_str()));
    Start();
    GUIForm->Optionen1Click();
    OptGUIForm->EscButton.Click();
    EXPECT_FALSE(OptGUIForm->Visible());
    GUIForm->Optionen1Click();
    ::SendMessageA(OptGUIForm->Handle(), WM_CLOSE, 0, 0);  // the close box
    EXPECT_FALSE(OptGUIForm->Visible());
    EXPECT_FALSE(app->Terminated());
    EXPECT_FALSE(Exists(dir.File("Sitzblick.ini")));
}

TEST_F(AuxWindowTest, TypedPathAndEnterTwiceIsStoredAndReadByTheNextReload) {
    testing_support::WriteBytes(dir.File("neu.jnl"), "NEU.\r\n");
    GUIForm->Optionen1Click();
    ClearEdit(OptGUIForm->JnlEdit);
    Type(OptGUIForm->JnlEdit, dir.File("neu.jnl"));
    EXPECT_TRUE(OptGUIForm->OkButton.Enabled());
    EXPECT_EQ(OptGUIForm->EscButton.Caption(), "verwerfen");

    PressKey(*app, VK_RETURN);
    EXPECT_TRUE(OptGUIForm->OkButton.Focused()) << "the first Enter only moves the focus";
    EXPECT_TRUE(OptGUIForm->Visible());
    PressKey(*app, VK_RETURN);
    EXPECT_FALSE(OptGUIForm->Visible());
    EXPECT_EQ(IniData->JnlFileName(), dir.File("neu.jnl"));
    EXPECT_EQ(ReadBytes(dir.File("Sitzblick.ini")), "[Opt]\r\nJnlFileName=" + dir.File("neu.jnl") + "\r\n");
    Reload();
    EXPECT_EQ(GUIForm->jnlRichEdit.Text(), "NEU.\r\n");
}

TEST_F(AuxWindowTest, EnterWhileUnchangedDoesNothing) {
    GUIForm->Optionen1Click();
    OptGUIForm->JnlEdit.SetFocus();
    OptGUIForm->OkButton.SetEnabled(false);
    PressKey(*app, VK_RETURN);
    EXPECT_TRUE(OptGUIForm->JnlEdit.Focused());
    EXPECT_TRUE(OptGUIForm->Visible());
}

TEST_F(AuxWindowTest, TypingBackTheOldTextStillCountsAsAChange) {
    GUIForm->Optionen1Click();
    const std::string old = OptGUIForm->JnlEdit.Text();
    Type(OptGUIForm->JnlEdit, "x");
    ::PostMessageA(OptGUIForm->JnlEdit.Handle(), WM_CHAR, VK_BACK, 1);
    app->ProcessMessages();
    ASSERT_EQ(OptGUIForm->JnlEdit.Text(), old);
    EXPECT_EQ(OptGUIForm->EscButton.Caption(), "verwerfen");
    EXPECT_TRUE(OptGUIForm->OkButton.Enabled());
    OptGUIForm->OkButton.Click();
    EXPECT_FALSE(OptGUIForm->Visible());
    EXPECT_EQ(TIniData(dir.File("Sitzblick.ini")).JnlFileName(), old);
}

TEST_F(AuxWindowTest, DiscardStoresNothingAndTheNextOpeningStartsAfresh) {
    GUIForm->Optionen1Click();
    Type(OptGUIForm->JnlEdit, "-verworfen");
    OptGUIForm->EscButton.Click();
    EXPECT_EQ(IniData->JnlFileName(), JournalPath());
    GUIForm->Optionen1Click();
    EXPECT_EQ(OptGUIForm->JnlEdit.Text(), JournalPath());
    EXPECT_EQ(OptGUIForm->EscButton.Caption(), "schlie\xDF" "en");
}

TEST_F(AuxWindowTest, OptionsHeightSnapsAndWidthsFollow) {
    GUIForm->Optionen1Click();
    OptGUIForm->SetBounds(OptGUIForm->Left(), OptGUIForm->Top(), 400, 300);
    EXPECT_EQ(OptGUIForm->Height(), 133);
    EXPECT_EQ(OptGUIForm->Width(), 400);
    EXPECT_EQ(OptGUIForm->JnlGroupBox.Width(), 375);
    EXPECT_EQ(OptGUIForm->JnlEdit.Width(), 359);
    EXPECT_EQ(OptGUIForm->EscButton.Left(), 310);
    EXPECT_EQ(OptGUIForm->OkButton.Left(), 8);
}

struct UnwritableCase {
    const char* name;
    bool missingDirectory;  // the working directory is gone; otherwise the settings path is a folder
};

class UnwritableSettings : public AuxWindowTest, public ::testing::WithParamInterface<UnwritableCase> {};

TEST_P(UnwritableSettings, AcceptShowsTheErrorKeepsTheWindowAndLosesNothing) {
    std::string ini = dir.File("Sitzblick.ini");
    if (GetParam().missingDirectory) {
        ini = dir.File("fehlt\\Sitzblick.ini");
        IniData = std::make_unique<TIniData>(ini);
    } else {
        Stop();
        ::DeleteFileA(ini.c_str());
        ASSERT_TRUE(::CreateDirectoryA(ini.c_str(), nullptr));
        Start();
    }
    GUIForm->Optionen1Click();
    Type(OptGUIForm->JnlEdit, "2");
    ModalAnswerer box(IDOK);
    OptGUIForm->OkButton.SetFocus();
    PressKey(*app, VK_RETURN);
    ASSERT_TRUE(box.Answered());
    EXPECT_EQ(box.Text(), "Unable to write to " + ini + ".");
    EXPECT_EQ(box.Caption(), app->Title());
    EXPECT_TRUE(box.HadIcon());
    EXPECT_TRUE(OptGUIForm->Visible());
    EXPECT_EQ(IniData->JnlFileName(), OptGUIForm->JnlEdit.Text()) << "the new path is in use in memory";
    EXPECT_FALSE(Exists(dir.File("fehlt")));
}

INSTANTIATE_TEST_SUITE_P(Cases, UnwritableSettings,
                         ::testing::Values(UnwritableCase{"SettingsPathIsAFolder", false},
                                           UnwritableCase{"MissingDirectory", true}),
                         [](const ::testing::TestParamInfo<UnwritableCase>& info) { return std::string(info.param.name); });

// ---- help --------------------------------------------------------------------------

TEST_F(AuxWindowTest, F1DropsStayOnTopAndShowsTheHelp) {
    SwitchStayOnTopOn();
    GUIForm->jnlRichEdit.SetFocus();
    PressKey(*app, VK_F1);
    ExpectStayOnTopDropped();
    ASSERT_TRUE(HilfeForm->Visible());
    ExpectCentredOverMain(*HilfeForm);
    EXPECT_EQ(HilfeForm->ExitButton.Top(), 257 - 71);
    EXPECT_EQ(HilfeForm->HilfeRichEdit.Height(), 257 - 86);
    HilfeForm->ExitButton.Click();
    EXPECT_FALSE(HilfeForm->Visible());
}

TEST_F(AuxWindowTest, HelpTextHasItsFourSections) {
    const std::string text = HilfeForm->HilfeRichEdit.Text();
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    ASSERT_EQ(lines.size(), 78u);
    EXPECT_EQ(lines[0], "Idee zu Sitzblick");
    EXPECT_EQ(lines[9], "Bedienung von Sitzblick");
    EXPECT_EQ(lines[57], "Nutzungshinweise");
    EXPECT_EQ(lines[63], "Dank");
    for (size_t i : {8u, 56u, 62u}) {
        EXPECT_EQ(lines[i], "") << i;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        const bool heading = i == 0 || i == 9 || i == 57 || i == 63;
        if (!heading && !lines[i].empty()) {
            EXPECT_EQ(lines[i][0], ' ') << i;
        }
    }
    // The path in the statistics package's menus may run over two lines.
    std::string joined;
    for (const std::string& line : lines) joined += (joined.empty() ? "" : " ") + line.substr(line.find_first_not_of(' ') == std::string::npos ? line.size() : line.find_first_not_of(' '));
    EXPECT_NE(joined.find("Bearbeiten\" > \"Optionen\" > \"Allgemein\" > \"Sitzungs-Journal\""), std::string::npos);
    EXPECT_NE(text.find("Journalfile l\xF6schen"), std::string::npos) << "Windows-1252, not UTF-8";
}

TEST_F(AuxWindowTest, EveryLineOfTheHelpFitsTheWidthOfItsView) {
    GUIForm->Hilfe1Click();
    app->ProcessMessages();
    // Word wrap is on: a line too wide would count twice.
    EXPECT_EQ(::SendMessageA(HilfeForm->HilfeRichEdit.Handle(), EM_GETLINECOUNT, 0, 0), 78);
}

TEST_F(AuxWindowTest, TabLeavesTheHelpTextForTheCloseButton) {
    GUIForm->Hilfe1Click();
    HilfeForm->HilfeRichEdit.SetFocus();
    PressKey(*app, VK_TAB);
    EXPECT_TRUE(HilfeForm->ExitButton.Focused());
    PressKey(*app, VK_TAB);
    EXPECT_TRUE(HilfeForm->HilfeRichEdit.Focused()) << "and from the button back to the text";
    PressKey(*app, VK_TAB, false, true);
    EXPECT_TRUE(HilfeForm->ExitButton.Focused()) << "Shift+Tab as well";
    EXPECT_EQ(HilfeForm->ExitButton.Caption(), "schlie\xDF" "en");
}

TEST_F(AuxWindowTest, HelpTextCannotBeEditedButCanBeSelected) {
    auto& view = HilfeForm->HilfeRichEdit;
    const std::string before = view.Text();
    EXPECT_TRUE(::GetWindowLongA(view.Handle(), GWL_STYLE) & ES_READONLY);
    GUIForm->Hilfe1Click();
    view.SetFocus();
    ::PostMessageA(view.Handle(), WM_CHAR, 'x', 1);
    app->ProcessMessages();
    EXPECT_EQ(view.Text(), before);
    view.SetSelection(0, 4);
    EXPECT_EQ(view.SelectedText(), "Idee");
}

TEST_F(AuxWindowTest, HelpWidthIsFixedAndHeightMovesButtonAndText) {
    HilfeForm->SetBounds(HilfeForm->Left(), HilfeForm->Top(), 600, 400);
    EXPECT_EQ(HilfeForm->Width(), 421);
    EXPECT_EQ(HilfeForm->Height(), 400);
    EXPECT_EQ(HilfeForm->ExitButton.Top(), 329);
    EXPECT_EQ(HilfeForm->HilfeRichEdit.Height(), 314);
    EXPECT_EQ(HilfeForm->Image1.Left(), 304);
    EXPECT_EQ(HilfeForm->Label1.Top(), 96);
}

// ---- version ----------------------------------------------------------------------

TEST_F(AuxWindowTest, VersionWindowShowsTheIdentity) {
    EXPECT_EQ(VersionForm->VSTRLabel.Caption(), "...");
    SwitchStayOnTopOn();
    GUIForm->Version1Click();
    ExpectStayOnTopDropped();
    ASSERT_TRUE(VersionForm->Visible());
    ExpectCentredOverMain(*VersionForm);
    EXPECT_EQ(VersionForm->VSTRLabel.Caption(), VersionString);
    EXPECT_EQ(VersionForm->Label2.Caption(), "Ansicht des Journalfiles von SPSS");
    // Labels take the width of their text.
    EXPECT_GT(VersionForm->VSTRLabel.Width(), 100);
    EXPECT_GT(VersionForm->Label2.Width(), VersionForm->VSTRLabel.Width());
    VersionForm->VersionExitButton.Click();
    EXPECT_FALSE(VersionForm->Visible());
    GUIForm->Version1Click();
    ::SendMessageA(VersionForm->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(VersionForm->Visible());
}

TEST_F(AuxWindowTest, BothWindowsShowTheLogo) {
    for (const platform::Image* logo : {&HilfeForm->Image1, &VersionForm->Image1}) {
        EXPECT_EQ(logo->PictureSize().cx, 80);
        EXPECT_EQ(logo->PictureSize().cy, 76);
        EXPECT_EQ(logo->Width(), 81);
        EXPECT_EQ(logo->Height(), 81);
    }
}

}  // namespace

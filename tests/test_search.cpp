// The text search: the real Find dialog and the view's forward search.
#include <gtest/gtest.h>

#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>

#include "ProgramFixture.h"

namespace {

const char* const kJournal =
    "FREQUENCIES VARIABLES=alter.\r\n"     // 0
    "DESCRIPTIVES alter.\r\n"              // 30
    "frequencies variables=geschlecht.\r\n"  // 51
    "FREQUENCIESX.\r\n";                   // 86

class SearchTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        WriteJournal(kJournal);
        Reload();
    }

    // One press of "find next" for text with the given options.
    void FindNext(const std::string& text, bool matchCase = false, bool wholeWord = false) {
        GUIForm->jnlFindDialog.SetFindText(text);
        GUIForm->jnlFindDialog.SetMatchCase(matchCase);
        GUIForm->jnlFindDialog.SetWholeWord(wholeWord);
        GUIForm->jnlFindDialogFind();
    }
};

TEST_F(SearchTest, FindsEachOccurrenceInTurnAndStopsAtTheLast) {
    // "alter" occurs twice, then "ALTER" nowhere: search for "variables" (two) and
    // "frequencies" (three, case ignored).
    FindNext("frequencies");
    EXPECT_EQ(Selection(), Sel(0, 11));
    FindNext("frequencies");
    EXPECT_EQ(Selection(), Sel(51, 11));
    FindNext("frequencies");
    EXPECT_EQ(Selection(), Sel(86, 11));
    FindNext("frequencies");
    EXPECT_EQ(Selection(), Sel(86, 11)) << "no wrap-around";
    EXPECT_TRUE(GUIForm->jnlRichEdit.Focused());
}

TEST_F(SearchTest, WithNoSelectionTheSearchStartsAtTheBeginning) {
    GUIForm->jnlRichEdit.SetSelection(40, 0);  // caret inside the second line
    FindNext("alter");
    EXPECT_EQ(Selection(), Sel(22, 5));
}

TEST_F(SearchTest, AHandMadeSelectionIsContinuedBehind) {
    GUIForm->jnlRichEdit.SetSelection(25, 10);
    FindNext("alter");
    EXPECT_EQ(Selection(), Sel(43, 5));
}

TEST_F(SearchTest, MatchCase) {
    FindNext("frequencies", true);
    EXPECT_EQ(Selection(), Sel(51, 11));
    FindNext("frequencies", true);
    EXPECT_EQ(Selection(), Sel(51, 11));
    GUIForm->jnlRichEdit.SetSelection(0, 0);
    FindNext("Frequencies", true);
    EXPECT_EQ(Selection(), Sel(0, 0)) << "nothing found, nothing changed";
}

TEST_F(SearchTest, WholeWordSkipsTheStartOfALongerWord) {
    GUIForm->jnlRichEdit.SetSelection(60, 3);  // behind the second FREQUENCIES
    FindNext("FREQUENCIES", false, true);
    EXPECT_EQ(Selection(), Sel(60, 3)) << "FREQUENCIESX is another word";
    GUIForm->jnlRichEdit.SetSelection(60, 3);
    FindNext("FREQUENCIES", false, false);
    EXPECT_EQ(Selection(), Sel(86, 11));
}

TEST_F(SearchTest, NothingFoundKeepsTheSelectionAndShowsNoMessage) {
    testing_support::ModalAnswerer box(IDOK, 500);
    GUIForm->jnlRichEdit.SetSelection(5, 3);
    GUIForm->aktButton.SetFocus();
    FindNext("REGRESSION");
    EXPECT_FALSE(box.Answered());
    EXPECT_EQ(Selection(), Sel(5, 3));
    EXPECT_TRUE(GUIForm->jnlRichEdit.Focused());
}

TEST_F(SearchTest, AnEmptyViewOnlyTakesTheFocus) {
    Stop();
    Start();
    GUIForm->aktButton.SetFocus();
    FindNext("alter");
    EXPECT_EQ(Selection(), Sel(0, 0));
    EXPECT_TRUE(GUIForm->jnlRichEdit.Focused());
}

TEST_F(SearchTest, TheRealDialogHidesTheDirectionAndSearchesWhatIsTyped) {
    GUIForm->jnlRichEdit.SetFocus();
    testing_support::PressKey(*app, 'F', true);
    const HWND dialog = GUIForm->jnlFindDialog.DialogHandle();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(::IsWindowVisible(dialog));
    for (int id : {rad1, rad2, grp1}) {
        const HWND control = ::GetDlgItem(dialog, id);
        if (!control) continue;
        EXPECT_FALSE(::IsWindowVisible(control)) << id;
        EXPECT_FALSE(::IsWindowEnabled(control)) << id;
    }
    // Type into its edit as the keyboard would, then press "find next".
    const HWND edit = ::GetDlgItem(dialog, edt1);
    ::SetFocus(edit);
    for (char c : std::string("ALTER")) ::PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    app->ProcessMessages();
    ::SendMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    app->ProcessMessages();
    EXPECT_EQ(Selection(), Sel(22, 5));
    ::SendMessageA(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    app->ProcessMessages();
    EXPECT_EQ(Selection(), Sel(43, 5));

    // A second Ctrl+F brings the same dialog back; after closing, it remembers the text.
    GUIForm->jnlRichEdit.SetFocus();
    testing_support::PressKey(*app, 'F', true);
    EXPECT_EQ(GUIForm->jnlFindDialog.DialogHandle(), dialog);
    ::SendMessageA(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    app->ProcessMessages();
    EXPECT_EQ(GUIForm->jnlFindDialog.DialogHandle(), nullptr);
    GUIForm->Suchen1Click();
    const HWND again = GUIForm->jnlFindDialog.DialogHandle();
    ASSERT_TRUE(again);
    char text[64] = {};
    ::GetDlgItemTextA(again, edt1, text, sizeof text);
    EXPECT_STREQ(text, "ALTER");
}

}  // namespace

namespace {

TEST_F(SearchTest, EscapeClosesTheFindDialogAndTheProgramRuns) {
    GUIForm->Suchen1Click();
    const HWND dialog = GUIForm->jnlFindDialog.DialogHandle();
    ASSERT_TRUE(dialog);
    ::SetFocus(::GetDlgItem(dialog, edt1));
    testing_support::PressKey(*app, VK_ESCAPE);
    testing_support::PumpFor(*app, 100);
    EXPECT_EQ(GUIForm->jnlFindDialog.DialogHandle(), nullptr);
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_FALSE(app->Terminated());
    GUIForm->Suchen1Click();
    EXPECT_TRUE(GUIForm->jnlFindDialog.DialogHandle());
}

}  // namespace

namespace {

TEST_F(SearchTest, AReloadAfterASearchShowsTheNewJournal) {
    FindNext("REGRESSION");
    FindNext("alter");
    WriteJournal("ganz neu\r\n");
    Reload();
    EXPECT_EQ(GUIForm->jnlRichEdit.Text(), "ganz neu\r\n");
    GUIForm->jnlRichEdit.Clear();
    EXPECT_EQ(GUIForm->jnlRichEdit.TextLength(), 0);
}

}  // namespace

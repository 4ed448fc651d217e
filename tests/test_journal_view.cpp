// Reloading and deleting the journal, against real files and real message boxes.
#include <gtest/gtest.h>

#include "FileIO.h"
#include "ProgramFixture.h"
#include "VersionString.h"

using testing_support::Exists;
using testing_support::ModalAnswerer;

namespace {

class JournalViewTest : public ProgramTest {
protected:
    // Runs a reload that must fail and returns the text of the box it showed.
    std::string FailingReload() {
        ModalAnswerer box(IDOK);
        GUIForm->Journalfileneuladen1Click();
        EXPECT_TRUE(box.Answered()) << "no message box";
        EXPECT_EQ(box.Caption(), app->Title());
        EXPECT_FALSE(box.HadIcon());
        return box.Text();
    }

    void DeleteAnswering(int button) {
        ModalAnswerer box(button);
        GUIForm->Journalfilelschen1Click();
        ASSERT_TRUE(box.Answered());
        EXPECT_EQ(box.Caption(), VersionString);
        EXPECT_EQ(box.Text(), "Journalfile wirklich l\xF6schen?");
        EXPECT_FALSE(box.HadIcon());
    }

    static void ExpectCentredOnTheScreen(const RECT& box) {
        RECT work{};
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_NEAR((box.left + box.right) / 2, (work.left + work.right) / 2, 2);
        EXPECT_NEAR((box.top + box.bottom) / 2, (work.top + work.bottom) / 2, 2);
    }

    void ExpectLoaded(bool loaded) {
        EXPECT_EQ(GUIForm->killButton.Visible(), loaded);
        EXPECT_EQ(GUIForm->Journalfilelschen1.Enabled(), loaded);
        EXPECT_EQ(GUIForm->allesmarkieren1.Enabled(), loaded);
        EXPECT_EQ(GUIForm->kopieren1.Enabled(), loaded);
    }
};

TEST_F(JournalViewTest, FailureMessageIsTheThirteenPieces) {
    EXPECT_EQ(JournalMissingMessage("c:\\x.jnl"),
              "Das SPSS Journalfile \rc:\\x.jnl\rist (noch) nicht vorhanden. "
              "Arbeiten Sie mit Ihrer SPSS-Installation weiter oder\r"
              "vergleichen Sie bitte die Angaben in diesem Programm in \r"
              "\"Bearbeiten\" > \"Optionen\" mit\r"
              "\"Bearbeiten\" > \"Optionen\" > \"Allgemein\" > \"Sitzungs-Journal\"\r"
              "in Ihrer SPSS-Oberfl\xE4"
              "che");
}

TEST_F(JournalViewTest, ReloadShowsTheJournalAndEntersLoaded) {
    WriteJournal("GET FILE='c:\\daten.sav'.\r\nFREQUENCIES VARIABLES=alter.\r\n");
    Reload();
    EXPECT_EQ(GUIForm->jnlRichEdit.Text(), "GET FILE='c:\\daten.sav'.\r\nFREQUENCIES VARIABLES=alter.\r\n");
    ExpectLoaded(true);
}

TEST_F(JournalViewTest, MissingJournalShowsTheMessageAndChangesNothing) {
    EXPECT_EQ(FailingReload(), JournalMissingMessage(JournalPath()));
    EXPECT_EQ(GUIForm->jnlRichEdit.TextLength(), 0);
    ExpectLoaded(false);
}

TEST_F(JournalViewTest, EmptyPathShowsTheMessageWithAnEmptyLine) {
    IniData->SetJnlFileName("");
    EXPECT_EQ(FailingReload(), JournalMissingMessage(""));
}

TEST_F(JournalViewTest, AFailedReloadKeepsTheViewAndTheLoadedState) {
    WriteJournal("first\r\n");
    Reload();
    ASSERT_TRUE(::DeleteFileA(JournalPath().c_str()));
    FailingReload();
    EXPECT_EQ(GUIForm->jnlRichEdit.Text(), "first\r\n");
    ExpectLoaded(true);
}

TEST_F(JournalViewTest, JournalHeldOpenForWritingCannotBeRead) {
    WriteJournal("being written\r\n");
    platform::FileHandle writer(::CreateFileA(JournalPath().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                              nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(writer);
    EXPECT_EQ(FailingReload(), JournalMissingMessage(JournalPath()));
    ExpectLoaded(false);
}

TEST_F(JournalViewTest, AnEmptyJournalLoads) {
    WriteJournal("");
    Reload();
    EXPECT_EQ(GUIForm->jnlRichEdit.TextLength(), 0);
    ExpectLoaded(true);
}

TEST_F(JournalViewTest, AJournalBeyondTheDefaultLimitIsShownWhole) {
    std::string journal;
    for (int i = 0; journal.size() < 200000; ++i) journal += "COMPUTE v" + std::to_string(i) + " = 1.\r\n";
    WriteJournal(journal);
    Reload();
    EXPECT_EQ(GUIForm->jnlRichEdit.Text(), journal);
}

TEST_F(JournalViewTest, RichTextMarkupIsShownAsCharacters) {
    const std::string journal = "{\\rtf1\\ansi {\\b fett}\\par}\r\nGET FILE.\r\n";
    WriteJournal(journal);
    Reload();
    EXPECT_EQ(GUIForm->jnlRichEdit.Text(), journal);
}

TEST_F(JournalViewTest, ANulByteDoesNotCutOffTheRest) {
    WriteJournal(std::string("vorher\0nachher\r\nende\r\n", 22));
    Reload();
    EXPECT_EQ(GUIForm->jnlRichEdit.Text(), "vorher?nachher\r\nende\r\n");
}

TEST_F(JournalViewTest, AReloadReadsThePathOfThatMoment) {
    testing_support::WriteBytes(dir.File("other.jnl"), "other\r\n");
    IniData->SetJnlFileName(dir.File("other.jnl"));
    Reload();
    EXPECT_EQ(GUIForm->jnlRichEdit.Text(), "other\r\n");
}

TEST_F(JournalViewTest, DeleteAnsweredNoTouchesNothing) {
    WriteJournal("keep\r\n");
    Reload();
    DeleteAnswering(IDNO);
    EXPECT_EQ(GUIForm->jnlRichEdit.Text(), "keep\r\n");
    EXPECT_TRUE(Exists(JournalPath()));
}

TEST_F(JournalViewTest, DeleteAnsweredYesEmptiesTheViewAndRemovesTheFile) {
    WriteJournal("weg\r\n");
    Reload();
    DeleteAnswering(IDYES);
    EXPECT_EQ(GUIForm->jnlRichEdit.TextLength(), 0);
    EXPECT_FALSE(Exists(JournalPath()));
    ExpectLoaded(true);
    // The button stays, and asks again.
    DeleteAnswering(IDNO);
}

TEST_F(JournalViewTest, DeleteOfAJournalAlreadyGoneEmptiesTheViewSilently) {
    WriteJournal("weg\r\n");
    Reload();
    ASSERT_TRUE(::DeleteFileA(JournalPath().c_str()));
    DeleteAnswering(IDYES);
    EXPECT_EQ(GUIForm->jnlRichEdit.TextLength(), 0);
    // No second box came up: a reload now shows the missing-journal message.
    EXPECT_EQ(FailingReload(), JournalMissingMessage(JournalPath()));
}

TEST_F(JournalViewTest, DeleteOfAJournalInUseSaysSoAndKeepsTheView) {
    WriteJournal("in use\r\n");
    Reload();
    platform::FileHandle holder(::CreateFileA(JournalPath().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                              nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder);
    ModalAnswerer boxes(std::vector<int>{IDYES, IDOK});
    GUIForm->Journalfilelschen1Click();
    ASSERT_TRUE(boxes.Answered());
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[1].text, JournalNotDeletedMessage(JournalPath()));
    EXPECT_EQ(boxes.Boxes()[1].caption, app->Title());
    EXPECT_TRUE(Exists(JournalPath()));
    EXPECT_EQ(GUIForm->jnlRichEdit.Text(), "in use\r\n");
}

// A view that holds a lot is replaced and emptied at once, and keeps its focus
// and its context menu.
TEST_F(JournalViewTest, ALargeJournalIsDeletedAndReplacedWithoutDelay) {
    std::string journal;
    while (journal.size() < (1u << 20)) journal += "FREQUENCIES VARIABLES=alter geschlecht.\r\n";
    WriteJournal(journal);
    Reload();
    GUIForm->jnlRichEdit.SetFocus();
    WriteJournal("ersetzt\r\n");
    Reload();
    EXPECT_EQ(GUIForm->jnlRichEdit.Text(), "ersetzt\r\n");
    EXPECT_TRUE(GUIForm->jnlRichEdit.Focused()) << "the focus stays in the view";
    EXPECT_EQ(GUIForm->jnlRichEdit.ContextMenu(), &GUIForm->jnlPopupMenu);
    WriteJournal(journal);
    Reload();
    DeleteAnswering(IDYES);
    EXPECT_EQ(GUIForm->jnlRichEdit.TextLength(), 0);
}

// With always-on-top on, a box the user must answer comes up above the main
// window; behind it the disabled program would look frozen.
TEST_F(JournalViewTest, EveryMessageStandsAboveAnAlwaysOnTopMainWindow) {
    GUIForm->Programmimmersichtbar1Click();
    ASSERT_TRUE(GUIForm->StayOnTop());
    {
        ModalAnswerer box(IDOK);
        GUIForm->Journalfileneuladen1Click();  // no journal yet
        ASSERT_TRUE(box.Answered());
        EXPECT_TRUE(box.Boxes()[0].Above(GUIForm->Handle())) << "the failure message";
        ExpectCentredOnTheScreen(box.Boxes()[0].rect);
    }
    WriteJournal("in use\r\n");
    Reload();
    {
        platform::FileHandle holder(::CreateFileA(JournalPath().c_str(), GENERIC_READ,
                                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
        ModalAnswerer boxes(std::vector<int>{IDYES, IDOK});
        GUIForm->Journalfilelschen1Click();
        ASSERT_TRUE(boxes.Answered());
        EXPECT_TRUE(boxes.Boxes()[0].Above(GUIForm->Handle())) << "the delete question";
        EXPECT_TRUE(boxes.Boxes()[1].Above(GUIForm->Handle())) << "the message that it could not be deleted";
    }
    {
        ModalAnswerer box(IDOK);
        app->HandleException(platform::Error("Unable to write to x"));
        ASSERT_TRUE(box.Answered());
        EXPECT_TRUE(box.Boxes()[0].Above(GUIForm->Handle())) << "the default error display";
    }
    EXPECT_TRUE(GUIForm->StayOnTop()) << "the window keeps its style";
    EXPECT_TRUE(GUIForm->Programmimmersichtbar1.Checked());
}

TEST_F(JournalViewTest, ResizeKeepsTheViewsMargins) {
    GUIForm->SetBounds(GUIForm->Left(), GUIForm->Top(), 600, 500);
    EXPECT_EQ(GUIForm->jnlRichEdit.Width(), 573);
    EXPECT_EQ(GUIForm->jnlRichEdit.Height(), 400);
    EXPECT_EQ(GUIForm->aktButton.Left(), 8);
    EXPECT_EQ(GUIForm->aktButton.Top(), 8);
}

}  // namespace

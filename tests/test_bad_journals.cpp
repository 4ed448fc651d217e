// Journals and paths that are not what a reload expects: never a hang, never lost text.
#include <gtest/gtest.h>

#include "ProgramFixture.h"

using testing_support::ClipboardText;
using testing_support::ModalAnswerer;

namespace {

class BadJournalTest : public ProgramTest {
protected:
    // A reload that must fail: the fixed message names the path, the view keeps its text.
    void ExpectFailingReload(const std::string& path) {
        IniData->SetJnlFileName(path);
        ModalAnswerer box(IDOK);
        GUIForm->Journalfileneuladen1Click();
        ASSERT_TRUE(box.Answered()) << path;
        EXPECT_EQ(box.Text(), JournalMissingMessage(path));
        EXPECT_EQ(GUIForm->jnlRichEdit.Text(), "vorher\r\n");
    }
};

TEST_F(BadJournalTest, PathsThatNameNoDiskFileFailWithoutBlocking) {
    WriteJournal("vorher\r\n");
    Reload();
    ASSERT_TRUE(::CreateDirectoryA(dir.File("ordner").c_str(), nullptr));
    for (const std::string& path : {std::string("CON"), std::string("NUL"), std::string("COM1"), std::string("\\\\.\\pipe\\sitzblick-fehlt"),
                                   dir.File("ordner"), dir.Path() + "\\", std::string("?*<>|"), dir.File("fehlt\\spss.jnl")}) {
        ExpectFailingReload(path);
    }
}

TEST_F(BadJournalTest, AnOpenPipeIsNotReadFrom) {
    WriteJournal("vorher\r\n");
    Reload();
    // A pipe whose server never writes: reading it would wait forever.
    const std::string name = "\\\\.\\pipe\\sitzblick-test-" + std::to_string(::GetCurrentProcessId());
    platform::KernelHandle server(::CreateNamedPipeA(name.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, 1,
                                                     4096, 4096, 0, nullptr));
    ASSERT_NE(server.Get(), INVALID_HANDLE_VALUE);
    ExpectFailingReload(name);
}

struct BytesCase {
    const char* name;
    std::string file;
    std::string shown;  // the view's text and what select-all + copy gives
};

class AnyBytes : public BadJournalTest, public ::testing::WithParamInterface<BytesCase> {};

TEST_P(AnyBytes, TheViewShowsEveryByteAndCopyGivesItBack) {
    WriteJournal(GetParam().file);
    Reload();
    EXPECT_EQ(GUIForm->jnlRichEdit.Text(), GetParam().shown);
    testing_support::SetClipboardText("vorher");
    GUIForm->allesmarkieren1Click();
    GUIForm->kopieren1Click();
    EXPECT_EQ(ClipboardText(), GetParam().shown.empty() ? "vorher" : GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AnyBytes,
    ::testing::Values(
        BytesCase{"NulBytes", std::string("A\0B\r\n\0\0C\r\n", 10), "A?B\r\n??C\r\n"},
        BytesCase{"HighBytes", "\x80\x9F\xA0\xC4\xD6\xDC\xDF\xE4\xF6\xFC\xFF\r\n", "\x80\x9F\xA0\xC4\xD6\xDC\xDF\xE4\xF6\xFC\xFF\r\n"},
        BytesCase{"LastLineWithoutBreak", "GET FILE.\r\nEXECUTE.", "GET FILE.\r\nEXECUTE."},
        BytesCase{"RichTextAtTheStart", "{\\rtf1 {\\b x}}\r\n", "{\\rtf1 {\\b x}}\r\n"},
        BytesCase{"OnlyLineBreaks", "\r\n\r\n\r\n", "\r\n\r\n\r\n"},
        BytesCase{"Tabs", "a\tb\r\n", "a\tb\r\n"},
        BytesCase{"LoneLineFeeds", "a\nb\n", "a\r\nb\r\n"},
        BytesCase{"LoneCarriageReturns", "a\rb\r", "a\r\nb\r\n"},
        BytesCase{"MixedLineEnds", "a\r\nb\nc\rd", "a\r\nb\r\nc\r\nd"}),
    [](const ::testing::TestParamInfo<BytesCase>& info) { return std::string(info.param.name); });

TEST_F(BadJournalTest, AJournalReplacedOrShrunkBetweenReloadsIsReadAsItIsNow) {
    WriteJournal("eins zwei drei vier\r\nfünf\r\n");
    Reload();
    GUIForm->jnlRichEdit.SetSelection(15, 4);  // "vier"
    WriteJournal("kurz\r\n");
    Reload();
    EXPECT_EQ(GUIForm->jnlRichEdit.Text(), "kurz\r\n");
    // A search after the change starts inside the new text, not at a stale offset.
    GUIForm->jnlFindDialog.SetFindText("kurz");
    GUIForm->jnlRichEdit.SetSelection(0, 0);
    GUIForm->jnlFindDialogFind();
    EXPECT_EQ(GUIForm->jnlRichEdit.SelStart(), 0);
    EXPECT_EQ(GUIForm->jnlRichEdit.SelLength(), 4);
}

}  // namespace

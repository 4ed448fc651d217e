// Journals and paths that are not what a reload expects: never a hang, never lost text.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <windows.h>

#include <winioctl.h>

#include "Memory.h"
#include "ProgramFixture.h"

using testing_support::ClipboardText;
using testing_support::ModalAnswerer;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

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

// The folder of small bad journals: NAME.jnl as a file holds it, NAME.shown as
// the view must show it (and select-all + copy must give it back).
std::string FixturePath(const std::string& file) { return std::string(SITZBLICK_FIXTURES) + "\\journals\\" + file; }

std::vector<std::string> FixtureNames() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const HANDLE search = ::FindFirstFileA(FixturePath("*.jnl").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string file = found.cFileName;
        names.push_back(file.substr(0, file.size() - 4));
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return names;
}

TEST(BadJournalFixtures, TheFolderHoldsThem) { EXPECT_GE(FixtureNames().size(), 10u) << FixturePath(""); }

class AnyBytes : public BadJournalTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(AnyBytes, TheViewShowsEveryByteAndCopyGivesItBack) {
    const std::string shown = testing_support::ReadBytes(FixturePath(GetParam() + ".shown"));
    WriteJournal(testing_support::ReadBytes(FixturePath(GetParam() + ".jnl")));
    Reload();
    EXPECT_EQ(GUIForm->jnlRichEdit.Text(), shown);
    testing_support::SetClipboardText("vorher");
    GUIForm->allesmarkieren1Click();
    GUIForm->kopieren1Click();
    EXPECT_EQ(ClipboardText(), shown.empty() ? "vorher" : shown);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, AnyBytes, ::testing::ValuesIn(FixtureNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

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

// ---- journals too large for the memory ---------------------------------------

// A file of that size that takes no disk space (the file system leaves the hole unwritten).
bool MakeSparseFile(const std::string& path, long long bytes) {
    platform::FileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file) return false;
    DWORD returned = 0;
    ::DeviceIoControl(file.Get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER size{};
    size.QuadPart = bytes;
    return ::SetFilePointerEx(file.Get(), size, nullptr, FILE_BEGIN) && ::SetEndOfFile(file.Get());
}

// Whole syntax lines of 40 bytes, about the size given.
std::string Lines(size_t bytes) {
    std::string text;
    while (text.size() < bytes) text += "FREQUENCIES VARIABLES=alter geschlecht\r\n";
    return text;
}

TEST_F(BadJournalTest, AFileLargerThanTheMemoryIsRefusedBeforeItIsRead) {
    WriteJournal("vorher\r\n");
    Reload();
    // A terabyte.
    const std::string path = dir.File("riesig.jnl");
    ASSERT_TRUE(MakeSparseFile(path, 1LL << 40));
    ExpectFailingReload(path);
    ::DeleteFileA(path.c_str());
}

TEST_F(BadJournalTest, AJournalOfTwoGigabytesOrMoreIsRefusedBeforeItIsRead) {
    WriteJournal("vorher\r\n");
    Reload();
    // The edit messages count positions in 32 bits: such a text could not be spoken of.
    const std::string path = dir.File("zu-lang.jnl");
    ASSERT_TRUE(MakeSparseFile(path, 0x7FFFFFFFLL));
    ExpectFailingReload(path);
    ::DeleteFileA(path.c_str());
}

// Leaves free only a megabyte beyond what must stay free, so that a journal of
// a few megabytes no longer fits.
void PretendMemoryIsShort() {
    GUIForm->jnlRichEdit.SetMemoryToKeepFree(platform::AvailableMemory() - (std::uint64_t{1} << 20));
}

TEST_F(BadJournalTest, AJournalTheViewHasNoMemoryForIsRefusedAndTheViewKeepsItsText) {
    WriteJournal("vorher\r\n");
    Reload();
    WriteJournal(Lines(3 << 20));
    PretendMemoryIsShort();
    ExpectFailingReload(JournalPath());
    GUIForm->jnlRichEdit.SetMemoryToKeepFree(platform::TextView::kDefaultMemoryToKeepFree);
    WriteJournal("danach\r\n");
    Reload();
    EXPECT_EQ(GUIForm->jnlRichEdit.Text(), "danach\r\n");
}

TEST_F(BadJournalTest, AnAppendTheViewHasNoMemoryForIsUndoneAndTheNextReloadIsFull) {
    WriteJournal("vorher\r\n");
    Reload();
    WriteJournal("vorher\r\n" + Lines(3 << 20));
    PretendMemoryIsShort();
    ExpectFailingReload(JournalPath());
    GUIForm->jnlRichEdit.SetMemoryToKeepFree(platform::TextView::kDefaultMemoryToKeepFree);
    WriteJournal("vorher\r\ndanach\r\n");
    Reload();
    EXPECT_FALSE(GUIForm->jnlRichEdit.LastLoadAppended()) << "what the view held was not known for sure";
    EXPECT_EQ(GUIForm->jnlRichEdit.Text(), "vorher\r\ndanach\r\n");
}

// ---- a journal changing while the user searches -------------------------------

struct ChangeWhileSearching {
    const char* name;
    std::function<void(const std::string& journal)> change;
    bool reloadFails;
};

class ChangedUnderTheSearch : public BadJournalTest, public ::testing::WithParamInterface<ChangeWhileSearching> {
protected:
    // Where the next find-next must land, worked out from the text the view shows now.
    Sel ExpectedNextMatch(const std::string& word) {
        const long selLength = GUIForm->jnlRichEdit.SelLength();
        const long from = selLength != 0 ? GUIForm->jnlRichEdit.SelStart() + selLength : 0;
        const size_t found = GUIForm->jnlRichEdit.Text().find(word, static_cast<size_t>(from));
        if (found == std::string::npos) return {GUIForm->jnlRichEdit.SelStart(), selLength};
        return {static_cast<long>(found), static_cast<long>(word.size())};
    }
};

TEST_P(ChangedUnderTheSearch, FindNextWorksOnWhatTheViewShowsNow) {
    WriteJournal("eins zwei vier\r\ndrei vier fünf\r\nsechs vier\r\n");
    Reload();
    GUIForm->Suchen1Click();  // the Find dialog stays open throughout
    const HWND dialog = GUIForm->jnlFindDialog.DialogHandle();
    ASSERT_NE(dialog, nullptr);
    GUIForm->jnlFindDialog.SetFindText("vier");
    GUIForm->jnlFindDialogFind();
    GUIForm->jnlFindDialogFind();
    ASSERT_EQ(Selection(), Sel(21, 4)) << "a selection in the middle";

    GetParam().change(JournalPath());
    {
        // A reload that works shows no box: a short look for one is enough.
        ModalAnswerer box(IDOK, GetParam().reloadFails ? 5000 : 500);
        GUIForm->Journalfileneuladen1Click();
        EXPECT_EQ(box.Answered(), GetParam().reloadFails);
    }
    for (int press = 0; press < 3; ++press) {
        const auto expected = ExpectedNextMatch("vier");
        GUIForm->jnlFindDialogFind();
        EXPECT_EQ(Selection(), expected) << "press " << press;
    }
    EXPECT_EQ(GUIForm->jnlFindDialog.DialogHandle(), dialog);
    EXPECT_TRUE(::IsWindowVisible(dialog)) << "the dialog is still open";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChangedUnderTheSearch,
    ::testing::Values(
        ChangeWhileSearching{"Truncated", [](auto& j) { WriteBytes(j, "vier\r\n"); }, false},
        ChangeWhileSearching{"Replaced",
                             [](auto& j) {
                                 ::DeleteFileA(j.c_str());
                                 WriteBytes(j, "neu vier\r\nnoch einmal vier, und vier\r\n");
                             },
                             false},
        ChangeWhileSearching{"Grown", [](auto& j) { WriteBytes(j, ReadBytes(j) + "vier und vier\r\n"); }, false},
        ChangeWhileSearching{"Emptied", [](auto& j) { WriteBytes(j, ""); }, false},
        ChangeWhileSearching{"Deleted", [](auto& j) { ::DeleteFileA(j.c_str()); }, true}),
    [](const ::testing::TestParamInfo<ChangeWhileSearching>& info) { return std::string(info.param.name); });

}  // namespace

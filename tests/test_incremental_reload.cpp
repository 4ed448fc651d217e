// A reload after the journal only grew appends the new bytes; whatever the
// change, the view must read exactly as after a full reload of the same file.
#include <gtest/gtest.h>

#include <functional>

#include "ProgramFixture.h"

using testing_support::ModalAnswerer;
using testing_support::WriteBytes;

namespace {

struct ChangeCase {
    const char* name;
    std::string before;
    // Changes the journal (or the settings) between the two reloads.
    std::function<void(const std::string& journal, const std::string& folder)> change;
    bool appends;  // the second reload may append
};

class IncrementalReload : public ProgramTest, public ::testing::WithParamInterface<ChangeCase> {
protected:
    std::string FullReloadText() {
        GUIForm->jnlRichEdit.Clear();  // forget what was loaded
        Reload();
        EXPECT_FALSE(GUIForm->jnlRichEdit.LastLoadAppended());
        return GUIForm->jnlRichEdit.Text();
    }
};

TEST_P(IncrementalReload, GivesTheTextOfAFullReload) {
    WriteJournal(GetParam().before);
    Reload();
    GetParam().change(JournalPath(), dir.Path());
    Reload();
    EXPECT_EQ(GUIForm->jnlRichEdit.LastLoadAppended(), GetParam().appends);
    const std::string incremental = GUIForm->jnlRichEdit.Text();
    EXPECT_EQ(GUIForm->jnlRichEdit.SelStart(), GUIForm->jnlRichEdit.TextLength()) << "caret at the end";
    EXPECT_EQ(incremental, FullReloadText());
}

void Append(const std::string& path, const std::string& more) {
    WriteBytes(path, testing_support::ReadBytes(path) + more);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IncrementalReload,
    ::testing::Values(
        ChangeCase{"Append", "GET FILE.\r\n", [](auto& j, auto&) { Append(j, "FREQUENCIES a.\r\n"); }, true},
        ChangeCase{"NothingNew", "GET FILE.\r\n", [](auto&, auto&) {}, true},
        ChangeCase{"AppendAcrossACrLfSeam", "GET FILE.\r", [](auto& j, auto&) { Append(j, "\nEXECUTE.\r\n"); }, true},
        ChangeCase{"AppendToALastLineWithoutBreak", "GET FI", [](auto& j, auto&) { Append(j, "LE.\r\nEXECUTE."); }, true},
        ChangeCase{"AppendLoneBreaksAndNul", "a\r\n", [](auto& j, auto&) { Append(j, std::string("b\nc\rd\0e", 8)); }, true},
        ChangeCase{"AppendBytesAbove127", "a\r\n", [](auto& j, auto&) { Append(j, "\x80\xe4\xf6\xfc\xdf\xff\r\n"); }, true},
        ChangeCase{"AppendTwiceEndingInALoneCr", "a\r\n",
                   [](auto& j, auto&) {
                       Append(j, "b\r");
                       GUIForm->Journalfileneuladen1Click();
                       Append(j, "\nc\r\n");
                   },
                   true},
        ChangeCase{"Truncate", "GET FILE.\r\nEXECUTE.\r\n", [](auto& j, auto&) { WriteBytes(j, "GET FILE.\r\n"); }, false},
        ChangeCase{"RewriteSameSize", "GET FILE.\r\n", [](auto& j, auto&) { WriteBytes(j, "PUT FILE.\r\n"); }, false},
        ChangeCase{"ShrinkAndGrowBackChanged", "abc\r\nxyz\r\n",
                   [](auto& j, auto&) { WriteBytes(j, "abc\r\n"); WriteBytes(j, "abc\r\nXYZ\r\n"); }, false},
        ChangeCase{"ReplaceFileLonger", "GET FILE.\r\n",
                   [](auto& j, auto&) { ::DeleteFileA(j.c_str()); WriteBytes(j, "NEW FILE.\r\nEXECUTE.\r\n"); }, false},
        ChangeCase{"ChangePath", "GET FILE.\r\n",
                   [](auto& j, auto& folder) {
                       WriteBytes(folder + "\\other.jnl", "GET FILE.\r\nOTHER.\r\n");
                       IniData->SetJnlFileName(folder + "\\other.jnl");
                       (void)j;
                   },
                   false}),
    [](const ::testing::TestParamInfo<ChangeCase>& info) { return std::string(info.param.name); });

class IncrementalReloadTest : public ProgramTest {};

TEST_F(IncrementalReloadTest, AfterADeleteTheNextReloadIsFull) {
    WriteJournal("GET FILE.\r\n");
    Reload();
    ModalAnswerer box(IDYES);
    GUIForm->Journalfilelschen1Click();
    ASSERT_TRUE(box.Answered());
    WriteJournal("GET FILE.\r\nEXECUTE.\r\n");  // SPSS writes anew: same start, by chance
    Reload();
    EXPECT_FALSE(GUIForm->jnlRichEdit.LastLoadAppended());
    EXPECT_EQ(GUIForm->jnlRichEdit.Text(), "GET FILE.\r\nEXECUTE.\r\n");
}

TEST_F(IncrementalReloadTest, AfterAFailedReadTheNextReloadIsFull) {
    WriteJournal("GET FILE.\r\n");
    Reload();
    {
        platform::FileHandle writer(::CreateFileA(JournalPath().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                  nullptr, OPEN_EXISTING, 0, nullptr));
        ModalAnswerer box(IDOK);
        GUIForm->Journalfileneuladen1Click();
        ASSERT_TRUE(box.Answered());
    }
    testing_support::WriteBytes(JournalPath(), "GET FILE.\r\nMORE.\r\n");
    Reload();
    EXPECT_FALSE(GUIForm->jnlRichEdit.LastLoadAppended());
    EXPECT_EQ(GUIForm->jnlRichEdit.Text(), "GET FILE.\r\nMORE.\r\n");
}

TEST_F(IncrementalReloadTest, ALargeJournalGrowsByAppending) {
    std::string journal;
    for (int i = 0; journal.size() < 300000; ++i) journal += "COMPUTE v" + std::to_string(i) + " = 1.\r\n";
    WriteJournal(journal);
    Reload();
    Append(JournalPath(), "EXECUTE.\r\n");
    Reload();
    EXPECT_TRUE(GUIForm->jnlRichEdit.LastLoadAppended());
    EXPECT_EQ(GUIForm->jnlRichEdit.Text(), journal + "EXECUTE.\r\n");
}

}  // namespace

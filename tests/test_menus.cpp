// The menu bar, the context menu, their shortcuts and the small window commands.
#include <gtest/gtest.h>

#include "ProgramFixture.h"

using testing_support::ClipboardText;
using testing_support::ModalAnswerer;
using testing_support::PressKey;
using testing_support::SetClipboardText;

namespace {

struct ShownItem {
    std::string text;
    bool enabled;
    bool checked;
};

ShownItem ItemAt(HMENU menu, int position) {
    char text[256] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING | MIIM_STATE;
    info.dwTypeData = text;
    info.cch = sizeof text;
    ::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
    return {text, !(info.fState & MFS_GRAYED), (info.fState & MFS_CHECKED) != 0};
}

class MenuTest : public ProgramTest {
protected:
    HMENU Bar() const { return ::GetMenu(GUIForm->Handle()); }
    HMENU Sub(int position) const { return ::GetSubMenu(Bar(), position); }

    void Key(UINT key, bool ctrl = false) {
        GUIForm->jnlRichEdit.SetFocus();
        PressKey(*app, key, ctrl);
    }
};

TEST_F(MenuTest, MenuBarShowsTheItemsWithShortcutsAndStates) {
    ASSERT_EQ(::GetMenuItemCount(Bar()), 3);
    EXPECT_EQ(ItemAt(Bar(), 0).text, "&Aktionen");
    EXPECT_EQ(ItemAt(Bar(), 1).text, "Bearbeiten");
    EXPECT_EQ(ItemAt(Bar(), 2).text, "&Info");

    struct Expected {
        int menu, position;
        const char* text;
        bool enabled;
    };
    const Expected items[] = {
        {0, 0, "Journalfile neu &laden\tStrg+O", true},  {0, 1, "Journalfile l\xF6schen\tStrg+K", false},
        {0, 2, "&Programm immer sichtbar\tF2", true},    {0, 3, "&Beenden\tStrg+Q", true},
        {1, 0, "&Alles markieren\tStrg+A", false},       {1, 1, "&Kopieren\tStrg+C", false},
        {1, 2, "&Suchen\tStrg+F", true},                 {1, 3, "&Optionen", true},
        {2, 0, "&Hilfe\tF1", true},                      {2, 1, "&Version", true},
    };
    EXPECT_EQ(::GetMenuItemCount(Sub(0)), 4);
    EXPECT_EQ(::GetMenuItemCount(Sub(1)), 4);
    EXPECT_EQ(::GetMenuItemCount(Sub(2)), 2);
    for (const auto& item : items) {
        const ShownItem shown = ItemAt(Sub(item.menu), item.position);
        EXPECT_EQ(shown.text, item.text);
        EXPECT_EQ(shown.enabled, item.enabled) << item.text;
        EXPECT_FALSE(shown.checked) << item.text;
    }
}

TEST_F(MenuTest, ContextMenuOffersKopierenAlways) {
    ASSERT_EQ(GUIForm->jnlRichEdit.ContextMenu(), &GUIForm->jnlPopupMenu);
    HMENU popup = GUIForm->jnlPopupMenu.Handle();
    ASSERT_EQ(::GetMenuItemCount(popup), 1);
    const ShownItem item = ItemAt(popup, 0);
    EXPECT_EQ(item.text, "kopieren");
    EXPECT_TRUE(item.enabled);
}

TEST_F(MenuTest, ReloadEnablesTheLoadedItemsInTheMenu) {
    LoadJournal("x\r\n");
    EXPECT_TRUE(ItemAt(Sub(0), 1).enabled);
    EXPECT_TRUE(ItemAt(Sub(1), 0).enabled);
    EXPECT_TRUE(ItemAt(Sub(1), 1).enabled);
}

TEST_F(MenuTest, CtrlOReloads) {
    WriteJournal("per Tastatur\r\n");
    Key('O', true);
    EXPECT_EQ(GUIForm->jnlRichEdit.Text(), "per Tastatur\r\n");
}

TEST_F(MenuTest, CtrlKAsksBeforeDeleting) {
    LoadJournal("weg\r\n");
    ModalAnswerer box(IDYES);
    Key('K', true);
    ASSERT_TRUE(box.Answered());
    EXPECT_EQ(GUIForm->jnlRichEdit.TextLength(), 0);
    EXPECT_FALSE(testing_support::Exists(JournalPath()));
}

TEST_F(MenuTest, CtrlKBeforeLoadingDoesNothing) {
    WriteJournal("bleibt\r\n");
    ModalAnswerer box(IDYES, 500);
    Key('K', true);
    EXPECT_FALSE(box.Answered());
    EXPECT_TRUE(testing_support::Exists(JournalPath()));
}

TEST_F(MenuTest, SelectAllThenCopyPutsTheWholeJournalOnTheClipboard) {
    LoadJournal("GET FILE.\r\nFREQUENCIES x.\r\n");
    SetClipboardText("vorher");
    GUIForm->aktButton.SetFocus();
    PressKey(*app, 'A', true);
    EXPECT_TRUE(GUIForm->jnlRichEdit.Focused());
    EXPECT_EQ(GUIForm->jnlRichEdit.SelStart(), 0);
    EXPECT_EQ(GUIForm->jnlRichEdit.SelLength(), GUIForm->jnlRichEdit.TextLength());
    PressKey(*app, 'C', true);
    EXPECT_EQ(ClipboardText(), "GET FILE.\r\nFREQUENCIES x.\r\n");
}

TEST_F(MenuTest, CopyOfASelectionCopiesJustThat) {
    LoadJournal("GET FILE.\r\nFREQUENCIES x.\r\n");
    GUIForm->jnlRichEdit.SetSelection(4, 4);
    Key('C', true);
    EXPECT_EQ(ClipboardText(), "FILE");
}

TEST_F(MenuTest, CopyWithNothingSelectedLeavesTheClipboard) {
    LoadJournal("GET FILE.\r\n");
    SetClipboardText("vorher");
    GUIForm->jnlRichEdit.SetSelection(3, 0);
    Key('C', true);
    EXPECT_EQ(ClipboardText(), "vorher");
    GUIForm->kopieren2Click();
    EXPECT_EQ(ClipboardText(), "vorher");
}

TEST_F(MenuTest, BeforeLoadingSelectAllAndCopyDoNothing) {
    // Text in the view without a reload: the items are still disabled.
    GUIForm->jnlRichEdit.SetPlainText("nicht geladen");
    GUIForm->jnlRichEdit.SetSelection(0, 5);
    SetClipboardText("vorher");
    Key('A', true);
    EXPECT_EQ(GUIForm->jnlRichEdit.SelLength(), 5);
    Key('C', true);
    EXPECT_EQ(ClipboardText(), "vorher");
    // The context menu's item is always there and copies the selection.
    GUIForm->kopieren2.Click();
    EXPECT_EQ(ClipboardText(), "nicht");
}

TEST_F(MenuTest, F2TogglesAlwaysOnTopWithItsCheckMark) {
    LoadJournal("bleibt\r\n");
    for (bool expected : {true, false, true}) {
        Key(VK_F2);
        EXPECT_EQ(GUIForm->StayOnTop(), expected);
        EXPECT_EQ(GUIForm->Programmimmersichtbar1.Checked(), expected);
        EXPECT_EQ(ItemAt(Sub(0), 2).checked, expected);
    }
    EXPECT_EQ(GUIForm->jnlRichEdit.Text(), "bleibt\r\n");
}

TEST_F(MenuTest, DropStayOnTopSwitchesItOffAndIsHarmlessWhenOff) {
    GUIForm->Programmimmersichtbar1Click();
    ASSERT_TRUE(GUIForm->StayOnTop());
    for (int i = 0; i < 2; ++i) {
        GUIForm->DropStayOnTop();
        EXPECT_FALSE(GUIForm->StayOnTop());
        EXPECT_FALSE(ItemAt(Sub(0), 2).checked);
    }
}

TEST_F(MenuTest, CtrlQEndsTheProgramWithoutAsking) {
    ModalAnswerer box(IDOK, 500);
    Key('Q', true);
    EXPECT_FALSE(box.Answered());
    EXPECT_TRUE(app->Terminated());
}

TEST_F(MenuTest, TheCloseBoxEndsTheProgram) {
    ::SendMessageA(GUIForm->Handle(), WM_CLOSE, 0, 0);
    app->ProcessMessages();
    EXPECT_TRUE(app->Terminated());
}

}  // namespace

namespace {

TEST_F(MenuTest, EscapeInTheViewDoesNotEndTheProgram) {
    LoadJournal("x\r\n");
    Key(VK_ESCAPE);
    testing_support::PumpFor(*app, 100);
    EXPECT_FALSE(app->Terminated());
    EXPECT_TRUE(GUIForm->Visible());
}

}  // namespace

// The journal view as a window: keys, focus, the edit messages, the clipboard,
// scrolling and what it draws.
#include <gtest/gtest.h>

#include <windows.h>

#include <commdlg.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "ProgramFixture.h"

using testing_support::ClipboardText;
using testing_support::PressKey;

namespace {

// Lines start at 0, 19, 60 (empty) and 62; the text ends at 70.
const char* const kJournal = "GET FILE='a.sav'.\r\nFREQUENCIES VARIABLES=alter geschlecht.\r\n\r\nEXECUTE.";

class TextViewTest : public ProgramTest {
protected:
    platform::TextView& View() const { return GUIForm->jnlRichEdit; }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(View().Handle(), message, wParam, lParam);
    }
    void Load(const std::string& journal) {
        LoadJournal(journal);
        View().SetFocus();
        Pump();
    }
    // The selection as (first, last), from the edit message other programs use.
    Sel Range() const {
        DWORD first = 0, last = 0;
        Send(EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
        return {static_cast<long>(first), static_cast<long>(last)};
    }
    long CaretLine() const { return static_cast<long>(View().Model().LineFromPosition(Send(EM_LINEINDEX, -1))); }
};

// ---- keys ------------------------------------------------------------------------

struct KeyCase {
    const char* name;
    long anchor, caret;  // before the key
    UINT key;
    bool ctrl, shift;
    long first, last;  // the selection afterwards
};

class ViewKeys : public TextViewTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(ViewKeys, MoveTheCaretAsInATextBox) {
    Load(kJournal);
    const KeyCase& c = GetParam();
    Send(EM_SETSEL, c.anchor, c.caret);
    PressKey(*app, c.key, c.ctrl, c.shift);
    EXPECT_EQ(Range(), Sel(c.first, c.last));
    EXPECT_EQ(View().Text(), kJournal) << "keys change nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ViewKeys,
    ::testing::Values(KeyCase{"RightMovesOne", 0, 0, VK_RIGHT, false, false, 1, 1},
                      KeyCase{"RightStepsOverTheLineBreak", 17, 17, VK_RIGHT, false, false, 19, 19},
                      KeyCase{"LeftStepsBackOverIt", 19, 19, VK_LEFT, false, false, 17, 17},
                      KeyCase{"ShiftRightSelects", 0, 0, VK_RIGHT, false, true, 0, 1},
                      KeyCase{"ShiftLeftGrowsAReversedSelection", 10, 5, VK_LEFT, false, true, 4, 10},
                      KeyCase{"RightEndsASelectionAtItsEnd", 3, 8, VK_RIGHT, false, false, 8, 8},
                      KeyCase{"LeftEndsASelectionAtItsStart", 3, 8, VK_LEFT, false, false, 3, 3},
                      KeyCase{"CtrlRightToTheNextWord", 0, 0, VK_RIGHT, true, false, 4, 4},
                      KeyCase{"CtrlRightOverAMark", 40, 40, VK_RIGHT, true, false, 41, 41},
                      KeyCase{"CtrlLeftToTheWordsStart", 44, 44, VK_LEFT, true, false, 41, 41},
                      KeyCase{"CtrlShiftRightSelectsAWord", 19, 19, VK_RIGHT, true, true, 19, 31},
                      KeyCase{"HomeToTheLinesStart", 25, 25, VK_HOME, false, false, 19, 19},
                      KeyCase{"EndToTheLinesEnd", 25, 25, VK_END, false, false, 58, 58},
                      KeyCase{"ShiftEndSelectsTheRestOfTheLine", 25, 25, VK_END, false, true, 25, 58},
                      KeyCase{"CtrlHomeToTheStart", 65, 65, VK_HOME, true, false, 0, 0},
                      KeyCase{"CtrlEndToTheEnd", 5, 5, VK_END, true, false, 70, 70},
                      KeyCase{"CtrlShiftEndSelectsToTheEnd", 60, 60, VK_END, true, true, 60, 70},
                      KeyCase{"DownKeepsColumnZero", 0, 0, VK_DOWN, false, false, 19, 19},
                      KeyCase{"DownIntoAnEmptyLine", 19, 19, VK_DOWN, false, false, 60, 60},
                      KeyCase{"DownOnTheLastLineGoesToTheEnd", 62, 62, VK_DOWN, false, false, 70, 70},
                      KeyCase{"UpOnTheFirstLineGoesToTheStart", 5, 5, VK_UP, false, false, 0, 0},
                      KeyCase{"ShiftDownSelectsALine", 0, 0, VK_DOWN, false, true, 0, 19},
                      KeyCase{"PageDownOnAShortTextReachesTheLastLine", 0, 0, VK_NEXT, false, false, 62, 62},
                      KeyCase{"PageUpReachesTheFirstLine", 62, 62, VK_PRIOR, false, false, 0, 0}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

TEST_F(TextViewTest, UpAndDownKeepTheirColumnAcrossAnEmptyLine) {
    Load(kJournal);
    Send(EM_SETSEL, 17, 17);  // the end of the first line
    for (int i = 0; i < 3; ++i) PressKey(*app, VK_DOWN);
    EXPECT_EQ(CaretLine(), 3);
    EXPECT_GT(Range().first, 62) << "the empty line did not take the column";
}

TEST_F(TextViewTest, PageDownMovesAPageAndScrollsWithIt) {
    std::string journal;
    for (int i = 0; i < 1000; ++i) journal += "COMPUTE v" + std::to_string(i) + " = 1 .\r\n";
    Load(journal);
    PressKey(*app, VK_HOME, true);
    const long page = static_cast<long>(View().VisibleLineCount()) - 1;
    PressKey(*app, VK_NEXT);
    EXPECT_EQ(CaretLine(), page);
    EXPECT_EQ(static_cast<long>(View().FirstVisibleLine()), page);
}

TEST_F(TextViewTest, TypingAndEscapeChangeNothing) {
    Load(kJournal);
    Send(EM_SETSEL, 0, 3);
    ::PostMessageA(View().Handle(), WM_CHAR, 'x', 1);
    PressKey(*app, VK_BACK);
    PressKey(*app, VK_DELETE);
    PressKey(*app, VK_ESCAPE);
    EXPECT_EQ(View().Text(), kJournal);
    EXPECT_TRUE(GUIForm->Visible());
    EXPECT_TRUE(View().Focused());
}

TEST_F(TextViewTest, TabAndShiftTabMoveOnToTheOtherControls) {
    Load(kJournal);
    PressKey(*app, VK_TAB);
    EXPECT_TRUE(GUIForm->aktButton.Focused()) << "Tab leaves the view for the reload button";
    PressKey(*app, VK_TAB, false, true);
    EXPECT_TRUE(View().Focused()) << "Shift+Tab comes back";
    PressKey(*app, VK_TAB, false, true);
    EXPECT_TRUE(GUIForm->killButton.Focused()) << "Shift+Tab from the view goes to the last control";
    const LRESULT code = Send(WM_GETDLGCODE);
    EXPECT_EQ(code & (DLGC_WANTALLKEYS | DLGC_WANTTAB), 0);
    EXPECT_NE(code & DLGC_WANTARROWS, 0);
}

// ---- the edit messages ---------------------------------------------------------------

TEST_F(TextViewTest, AnswersTheEditMessages) {
    Load(kJournal);
    EXPECT_EQ(Send(WM_GETTEXTLENGTH), 70);
    char small[5] = {};
    EXPECT_EQ(Send(WM_GETTEXT, sizeof small, reinterpret_cast<LPARAM>(small)), 4);
    EXPECT_STREQ(small, "GET ");

    Send(EM_SETSEL, 0, -1);
    EXPECT_EQ(Range(), Sel(0, 70));
    Send(EM_SETSEL, -1, 0);
    EXPECT_EQ(Range().first, Range().second) << "-1 takes the selection away";
    CHARRANGE range{19, 30};
    EXPECT_EQ(Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range)), 30);
    CHARRANGE got{};
    Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&got));
    EXPECT_EQ(got.cpMin, 19);
    EXPECT_EQ(got.cpMax, 30);

    const auto find = [&](const char* what, WPARAM flags) {
        FINDTEXTA request{{0, -1}, what};
        return Send(EM_FINDTEXT, FR_DOWN | flags, reinterpret_cast<LPARAM>(&request));
    };
    EXPECT_EQ(find("ALTER", 0), 41);
    EXPECT_EQ(find("ALTER", FR_MATCHCASE), -1);
    EXPECT_EQ(find("alte", FR_WHOLEWORD), -1);
    EXPECT_EQ(find("EXECUTE.", FR_MATCHCASE | FR_WHOLEWORD), 62);

    EXPECT_EQ(Send(EM_GETLINECOUNT), 4);
    EXPECT_EQ(Send(EM_LINEFROMCHAR, 60), 2);
    EXPECT_EQ(Send(EM_LINEINDEX, 3), 62);
    EXPECT_EQ(Send(EM_LINEINDEX, 9), -1);
    EXPECT_EQ(Send(EM_LINELENGTH, 25), 39);
    char line[12] = {};
    *reinterpret_cast<WORD*>(line) = 11;
    EXPECT_EQ(Send(EM_GETLINE, 1, reinterpret_cast<LPARAM>(line)), 11);
    EXPECT_EQ(std::string(line, 11), "FREQUENCIES");
    EXPECT_EQ(Send(EM_POSFROMCHAR, 0), MAKELRESULT(2, 0));
    const LRESULT second = Send(EM_POSFROMCHAR, 19);
    EXPECT_EQ(LOWORD(Send(EM_CHARFROMPOS, 0, MAKELPARAM(LOWORD(second) + 1, HIWORD(second) + 1))), 19);

    Send(EM_SETSEL, 19, 30);
    Send(WM_COPY);
    EXPECT_EQ(ClipboardText(), "FREQUENCIES");
}

TEST_F(TextViewTest, ALargeCopyReachesTheClipboardAndOutlivesTheProgram) {
    std::string journal;
    while (journal.size() < (2u << 20)) journal += "FREQUENCIES VARIABLES=alter geschlecht bildung.\r\n";
    Load(journal);
    GUIForm->allesmarkieren1Click();
    GUIForm->kopieren1Click();
    EXPECT_EQ(ClipboardText(), journal);
    GUIForm->kopieren1Click();
    Stop();
    EXPECT_EQ(ClipboardText(), journal) << "the copy stays once the program has ended";
}

// ---- scrolling ---------------------------------------------------------------------------

TEST_F(TextViewTest, TheWheelScrollsByTheSystemsLinesAndSidewaysWithShift) {
    std::string journal;
    for (int i = 0; i < 200; ++i) journal += "COMPUTE v" + std::to_string(i) + " = 1 ." + std::string(i, 'x') + "\r\n";
    Load(journal);
    PressKey(*app, VK_HOME, true);
    UINT lines = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(View().FirstVisibleLine(), lines);
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(View().FirstVisibleLine(), 0u);
    Send(WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, -WHEEL_DELTA), 0);
    EXPECT_GT(View().HorizontalOffset(), 0) << "Shift+wheel scrolls sideways";
    const auto sideways = View().HorizontalOffset();
    Send(WM_MOUSEHWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_GT(View().HorizontalOffset(), sideways) << "a tilt to the right scrolls right";
    EXPECT_EQ(View().FirstVisibleLine(), 0u);
}

TEST_F(TextViewTest, TheHorizontalRangeFollowsTheWidestLine) {
    Load("kurz\r\n" + std::string(300, 'W') + "\r\nkurz\r\n");
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE;
    ::GetScrollInfo(View().Handle(), SB_HORZ, &info);
    EXPECT_GE(info.nMax, View().ContentWidth());
    EXPECT_GT(View().ContentWidth(), 300 * 4);
    Send(EM_SETSEL, 306, 306);  // the end of the long line
    Send(EM_SCROLLCARET);
    EXPECT_GT(View().HorizontalOffset(), 0);
}

TEST_F(TextViewTest, AJournalOfOneLongLineIsShownAtItsEnd) {
    std::string journal;
    while (journal.size() < (4u << 20)) journal += "alter geschlecht bildung einkommen ";
    Load(journal);  // the reload leaves the caret at the end, in view
    EXPECT_EQ(Send(EM_GETLINECOUNT), 1);
    EXPECT_GT(View().HorizontalOffset(), static_cast<std::int64_t>(journal.size()));
    const LRESULT caret = Send(EM_POSFROMCHAR, journal.size());
    RECT client{};
    ::GetClientRect(View().Handle(), &client);
    EXPECT_GE(static_cast<short>(LOWORD(caret)), 0);
    EXPECT_LE(static_cast<short>(LOWORD(caret)), client.right);
    PressKey(*app, VK_LEFT, true, true);
    EXPECT_EQ(Range(), Sel(static_cast<long>(journal.size()) - 10, static_cast<long>(journal.size())))
        << "Ctrl+Shift+Left selects the last word and its blank";
}

// ---- drawing -----------------------------------------------------------------------------

// What the view draws, taken with WM_PRINTCLIENT.
class Picture {
public:
    explicit Picture(HWND view) {
        ::GetClientRect(view, &client_);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = client_.right;
        info.bmiHeader.biHeight = -client_.bottom;  // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        const HDC screen = ::GetDC(nullptr);
        bitmap_ = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        dc_ = ::CreateCompatibleDC(screen);
        ::ReleaseDC(nullptr, screen);
        ::SelectObject(dc_, bitmap_);
        ::SendMessageA(view, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
        ::GdiFlush();
        pixels_ = static_cast<const DWORD*>(bits);
    }
    ~Picture() {
        ::DeleteDC(dc_);
        ::DeleteObject(bitmap_);
    }
    // Pixels of the band of rows [top, bottom) that have the colour.
    int Count(int top, int bottom, COLORREF color) const {
        const DWORD wanted = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
        int count = 0;
        for (int y = std::max(0, top); y < std::min<int>(bottom, client_.bottom); ++y)
            for (int x = 0; x < client_.right; ++x) count += (pixels_[y * client_.right + x] & 0xFFFFFF) == wanted;
        return count;
    }
    int Width() const { return client_.right; }
    int Height() const { return client_.bottom; }

private:
    RECT client_{};
    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
    const DWORD* pixels_ = nullptr;
};

TEST_F(TextViewTest, DrawsTheLinesInViewAndTheSelectionAlsoWithoutTheFocus) {
    Load(kJournal);
    Send(EM_SETSEL, 19, 60);  // the second line with its line break
    GUIForm->aktButton.SetFocus();
    const Picture picture(View().Handle());
    const int h = View().LineHeight();
    const COLORREF window = ::GetSysColor(COLOR_WINDOW), highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    const int band = picture.Width() * h;
    EXPECT_LT(picture.Count(0, h, window), band) << "the first line carries text";
    EXPECT_EQ(picture.Count(0, h, highlight), 0) << "and is not selected";
    EXPECT_GT(picture.Count(h, 2 * h, highlight), band / 10) << "the selected line is highlighted";
    EXPECT_EQ(picture.Count(2 * h, 3 * h, window), band) << "the empty line is empty";
    EXPECT_LT(picture.Count(3 * h, 4 * h, window), band) << "the last line carries text";
    EXPECT_EQ(picture.Count(4 * h, picture.Height(), window), picture.Width() * (picture.Height() - 4 * h))
        << "nothing below the text";
}

TEST_F(TextViewTest, TheSystemCaretStandsAtTheSelectionsEnd) {
    Load(kJournal);
    Send(EM_SETSEL, 19, 19);
    POINT caret{};
    ASSERT_TRUE(::GetCaretPos(&caret));
    const LRESULT expected = Send(EM_POSFROMCHAR, 19);
    EXPECT_EQ(caret.x, static_cast<short>(LOWORD(expected)));
    EXPECT_EQ(caret.y, static_cast<short>(HIWORD(expected)));
}

}  // namespace

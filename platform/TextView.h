// A read-only text view of our own: it holds any text a file can give (a
// TextModel), draws only the lines on the screen, and answers the standard edit
// messages (WM_GETTEXT, EM_EXGETSEL, EM_FINDTEXT, ...) so that other programs and
// assistive tools read it as they read a text box.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Controls.h"
#include "TextLayout.h"
#include "TextModel.h"

namespace platform {

class TextView : public Control {
public:
    TextView(Form& owner, const LayoutEntry& entry);
    ~TextView() override;

    static constexpr const char* kWindowClass = "PlatformTextView";

    // ---- content
    // Replaces the whole text (lone CR and LF become CR LF, NUL the replacement).
    void SetPlainText(const std::string& text);
    // Reads the file whole (see ReadWholeFile) and shows it. When the file only
    // grew since the last load of the same path, just the new bytes are taken in:
    // the result is the same text. On failure the view shows what it showed.
    void LoadFromFile(const std::string& path);
    // True when the last LoadFromFile took in only what had been added.
    bool LastLoadAppended() const { return lastLoadAppended_; }
    void Clear() { SetPlainText({}); }
    // A load that would leave less memory than this free is refused.
    static constexpr std::uint64_t kDefaultMemoryToKeepFree = std::uint64_t{64} << 20;
    void SetMemoryToKeepFree(std::uint64_t bytes) { memoryToKeepFree_ = bytes; }

    const TextModel& Model() const { return model_; }
    std::string Text() const { return model_.Text(); }
    long TextLength() const { return static_cast<long>(model_.Length()); }

    // ---- selection: anchor and caret; the caret is where the keys move from
    long SelStart() const;
    long SelLength() const;
    void SetSelection(long start, long length);
    void SelectAll();
    void MoveCaretToEnd();
    std::string SelectedText() const;
    // Puts the selection on the clipboard as text; an empty one leaves it as it was.
    void CopyToClipboard();
    void ScrollCaretIntoView();

    using SearchOptions = TextModel::SearchOptions;
    // Searches forward over [start, end) and returns the first match or -1.
    long FindText(const std::string& text, long start, long end, SearchOptions options) const;

    // ---- what the window shows
    size_t FirstVisibleLine() const { return topLine_; }
    size_t VisibleLineCount() const;
    int LineHeight() const { return lineHeight_; }
    // The widest line in pixels, and how far the view is scrolled to the right.
    std::int64_t ContentWidth() const { return layout_.Widest(); }
    std::int64_t HorizontalOffset() const { return xOffset_; }

    bool PreTranslateKey(MSG& msg) override;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleEditMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

    // font and places
    void SetFont(HFONT font);
    size_t PositionAt(POINT point) const;

    // text, selection and scrolling
    // Measures from the first changed line on and keeps selection and scrolling in the text.
    void TextChanged(size_t firstChangedLine);
    // Up and Down keep to the column where they started; everything else sets it anew.
    void Select(size_t anchor, size_t caret, bool keepColumn = false);
    void MoveCaret(size_t position, bool extend, bool keepColumn = false);
    void ScrollTo(std::int64_t topLine, std::int64_t xOffset);
    void EnsureVisible(size_t position);
    void UpdateScrollBars();
    void UpdateCaret();
    int TextAreaWidth() const;

    // input
    bool OnKeyDown(WPARAM key);
    void OnScroll(int bar, WORD request);
    void OnWheel(int delta, bool sideways);
    void OnMouseDown(POINT point, bool extend);
    void OnMouseDrag(POINT point);
    void StopSelecting();

    // clipboard
    static GlobalMemory ClipboardCopy(const std::string& text);
    void RenderClipboardText();
    void RenderClipboardBeforeLeaving();

    // drawing
    void Paint(HDC target, const RECT& update);
    void DrawLine(HDC dc, size_t line, int y, int width) const;

    TextModel model_;
    TextLayout layout_{model_};
    size_t anchor_ = 0, caret_ = 0;
    std::int64_t desiredX_ = 0;  // the column Up and Down keep to, in pixels
    struct Source {
        std::string path;
        bool valid = false;
    } source_;
    bool lastLoadAppended_ = false;
    std::uint64_t memoryToKeepFree_ = kDefaultMemoryToKeepFree;

    HFONT font_ = nullptr;
    int lineHeight_ = 13;
    int averageCharWidth_ = 5;

    size_t topLine_ = 0;
    std::int64_t xOffset_ = 0;
    int horizontalUnit_ = 1;  // pixels per scroll bar unit (a line wider than the bar can count)

    int wheelRemainder_ = 0, sideWheelRemainder_ = 0;
    bool selecting_ = false;
    POINT lastMouse_{};
    bool hasCaret_ = false;
    struct ScrollBarState {
        int max = -1;
        UINT page = 0;
        int position = 0;
        bool operator==(const ScrollBarState& other) const {
            return max == other.max && page == other.page && position == other.position;
        }
    };
    ScrollBarState verticalBar_, horizontalBar_;
    // A copied selection this large waits here until some program pastes it.
    static constexpr size_t kRenderOnPasteFrom = size_t{1} << 20;
    std::string clipboardText_;
    GdiObject backBuffer_;
    SIZE backBufferSize_{};
};

}  // namespace platform

#include "TextView.h"

#include <commdlg.h>
#include <richedit.h>
#include <windowsx.h>
#undef FindText

#include <algorithm>
#include <cstring>

#include "Application.h"
#include "Errors.h"
#include "FileIO.h"
#include "Form.h"
#include "Layout.h"

namespace platform {

namespace {

constexpr int kMargin = 2;           // left of the text, as a text box leaves it
constexpr UINT_PTR kDragTimer = 1;   // scrolls on while a drag holds the mouse outside
constexpr UINT kDragInterval = 50;
// What a load needs per byte of journal: the bytes and the line index, with
// room to spare. A journal whose lone line breaks are made whole needs a second
// copy for a moment; should that not fit, the load fails like any other.
constexpr double kMemoryPerByte = 1.5;

const char* RegisteredClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExA(instance, TextView::kWindowClass, &existing)) return TextView::kWindowClass;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_IBEAM));
    windowClass.lpszClassName = TextView::kWindowClass;
    if (!::RegisterClassExA(&windowClass)) throw Error("Cannot register the text view's window class");
    return TextView::kWindowClass;
}

DWORD ViewStyle(const LayoutEntry& entry) {
    // The edit styles tell tools that look at them what kind of box this is.
    DWORD style = WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_NOHIDESEL;
    const std::string bars = entry.Text("ScrollBars", "Both");
    if (bars == "Both" || bars == "Vertical") style |= WS_VSCROLL;
    if (bars == "Both" || bars == "Horizontal") style |= WS_HSCROLL;
    return style;
}

bool KeyDown(int key) { return ::GetKeyState(key) < 0; }

// Screen coordinates must stay small: far-away positions are clamped.
int ToScreen(std::int64_t value) { return static_cast<int>(std::max<std::int64_t>(-30000, std::min<std::int64_t>(30000, value))); }

}  // namespace

TextView::TextView(Form& owner, const LayoutEntry& entry)
    : Control(owner, entry, RegisteredClass(owner.App().Instance(), &TextView::WindowProc), ViewStyle(entry),
              WS_EX_CLIENTEDGE) {
    ::SetWindowLongPtrA(Handle(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetFont(owner.Font());
    TextChanged(0);
}

TextView::~TextView() {
    // What was copied stays on the clipboard when the view goes.
    try {
        RenderClipboardBeforeLeaving();
    } catch (...) {
    }
    if (Handle()) ::SetWindowLongPtrA(Handle(), GWLP_USERDATA, 0);
}

// ---- content ------------------------------------------------------------------

void TextView::SetPlainText(const std::string& text) {
    source_.valid = false;
    model_.Assign(text);
    TextChanged(model_.FirstChangedLine());
}

void TextView::LoadFromFile(const std::string& path) {
    const bool mayExtend = source_.valid && source_.path == path;
    // Until this load has succeeded, nothing is known of what the file held.
    source_.valid = false;
    // The text may grow a little where line breaks are made whole; the model
    // refuses what grows beyond its limit.
    std::string bytes = ReadWholeFile(path, {TextModel::kMaxLength, kMemoryPerByte, memoryToKeepFree_});
    lastLoadAppended_ = mayExtend && model_.Extend(bytes);
    if (!lastLoadAppended_) model_.Assign(std::move(bytes));
    source_ = {path, true};
    TextChanged(model_.FirstChangedLine());
}

void TextView::TextChanged(size_t firstChangedLine) {
    layout_.MeasureFrom(firstChangedLine);
    anchor_ = std::min(anchor_, model_.Length());
    caret_ = std::min(caret_, model_.Length());
    anchor_ = model_.ValidPosition(anchor_);
    caret_ = model_.ValidPosition(caret_);
    ScrollTo(static_cast<std::int64_t>(topLine_), xOffset_);
    UpdateScrollBars();
    ::InvalidateRect(Handle(), nullptr, FALSE);
    UpdateCaret();
}

// ---- measuring ------------------------------------------------------------------

void TextView::SetFont(HFONT font) {
    font_ = font;
    WindowDC dc(Handle());
    if (font_) dc.Select(font_);
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc.Get(), &metrics);
    lineHeight_ = std::max<int>(1, metrics.tmHeight);
    averageCharWidth_ = std::max<int>(1, metrics.tmAveCharWidth);
    // The font we got, not the one asked for: the system may have substituted it.
    TextLayout::CharWidths widths{};
    if (!::GetCharWidth32A(dc.Get(), 0, 255, widths.data())) widths.fill(averageCharWidth_);
    layout_.SetCharWidths(widths);
}

size_t TextView::PositionAt(POINT point) const {
    const std::int64_t row = point.y >= 0 ? point.y / lineHeight_ : -((lineHeight_ - 1 - point.y) / lineHeight_);
    const std::int64_t last = static_cast<std::int64_t>(model_.LineCount()) - 1;
    const size_t line = static_cast<size_t>(std::max<std::int64_t>(0, std::min(last, static_cast<std::int64_t>(topLine_) + row)));
    const std::int64_t x = std::max<std::int64_t>(0, xOffset_ + point.x - kMargin);
    return model_.LineStart(line) + layout_.ColumnAt(line, x, true);
}

// ---- selection ------------------------------------------------------------------

long TextView::SelStart() const { return static_cast<long>(std::min(anchor_, caret_)); }

long TextView::SelLength() const { return static_cast<long>(std::max(anchor_, caret_) - std::min(anchor_, caret_)); }

void TextView::Select(size_t anchor, size_t caret, bool keepColumn) {
    anchor = model_.ValidPosition(anchor);
    caret = model_.ValidPosition(caret);
    if (!keepColumn) desiredX_ = layout_.XOfPosition(caret);
    if (anchor == anchor_ && caret == caret_) return;
    anchor_ = anchor;
    caret_ = caret;
    ::InvalidateRect(Handle(), nullptr, FALSE);
    UpdateCaret();
}

void TextView::SetSelection(long start, long length) {
    const size_t first = static_cast<size_t>(std::max<long>(0, start));
    const size_t last = length < 0 ? model_.Length() : first + static_cast<size_t>(length);
    Select(first, last);
}

void TextView::SelectAll() { Select(0, model_.Length()); }

void TextView::MoveCaretToEnd() { MoveCaret(model_.Length(), false); }

std::string TextView::SelectedText() const {
    return model_.Text().substr(static_cast<size_t>(SelStart()), static_cast<size_t>(SelLength()));
}

void TextView::CopyToClipboard() {
    if (SelLength() == 0) return;
    std::string selection;
    try {
        selection = SelectedText();
    } catch (const std::bad_alloc&) {
        throw Error("Not enough memory to copy the selection");
    }
    ClipboardScope clipboard(Handle());
    if (!clipboard.IsOpen()) throw Error("The clipboard is in use");
    ::EmptyClipboard();
    if (selection.size() < kRenderOnPasteFrom) {
        if (GlobalMemory memory = ClipboardCopy(selection); ::SetClipboardData(CF_TEXT, memory.Get())) memory.Release();
        return;
    }
    // A large selection is handed over when some program pastes it: the system
    // takes its time to move megabytes, and only a paste should pay for that.
    clipboardText_ = std::move(selection);
    ::SetClipboardData(CF_TEXT, nullptr);
}

GlobalMemory TextView::ClipboardCopy(const std::string& text) {
    GlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    if (!memory) throw Error("Not enough memory to copy the selection");
    GlobalLock lock(memory.Get());
    if (!lock.Data()) throw Error("Not enough memory to copy the selection");
    char* out = static_cast<char*>(lock.Data());
    std::memcpy(out, text.data(), text.size());
    out[text.size()] = '\0';
    return memory;
}

void TextView::RenderClipboardText() {
    if (GlobalMemory memory = ClipboardCopy(clipboardText_); ::SetClipboardData(CF_TEXT, memory.Get())) memory.Release();
}

void TextView::RenderClipboardBeforeLeaving() {
    if (clipboardText_.empty() || ::GetClipboardOwner() != Handle()) return;
    ClipboardScope clipboard(Handle());
    if (clipboard.IsOpen() && ::GetClipboardOwner() == Handle()) RenderClipboardText();
}

void TextView::ScrollCaretIntoView() { EnsureVisible(caret_); }

long TextView::FindText(const std::string& text, long start, long end, SearchOptions options) const {
    const size_t from = static_cast<size_t>(std::max<long>(0, start));
    const size_t to = end < 0 ? model_.Length() : static_cast<size_t>(end);
    const size_t found = model_.Find(text, from, to, options);
    return found == TextModel::npos ? -1 : static_cast<long>(found);
}

void TextView::MoveCaret(size_t position, bool extend, bool keepColumn) {
    Select(extend ? anchor_ : position, position, keepColumn);
    EnsureVisible(caret_);
}

// ---- scrolling -------------------------------------------------------------------

size_t TextView::VisibleLineCount() const {
    RECT client{};
    ::GetClientRect(Handle(), &client);
    return static_cast<size_t>(std::max<LONG>(1, (client.bottom - client.top) / lineHeight_));
}

int TextView::TextAreaWidth() const {
    RECT client{};
    ::GetClientRect(Handle(), &client);
    return std::max<int>(1, client.right - client.left - kMargin);
}

void TextView::ScrollTo(std::int64_t topLine, std::int64_t xOffset) {
    const std::int64_t lastTop =
        std::max<std::int64_t>(0, static_cast<std::int64_t>(model_.LineCount()) - static_cast<std::int64_t>(VisibleLineCount()));
    topLine = std::max<std::int64_t>(0, std::min(topLine, lastTop));
    const std::int64_t lastX = std::max<std::int64_t>(0, layout_.Widest() + kMargin - TextAreaWidth());
    xOffset = std::max<std::int64_t>(0, std::min(xOffset, lastX));
    if (static_cast<size_t>(topLine) == topLine_ && xOffset == xOffset_) return;
    topLine_ = static_cast<size_t>(topLine);
    xOffset_ = xOffset;
    UpdateScrollBars();
    ::InvalidateRect(Handle(), nullptr, FALSE);
    UpdateCaret();
}

void TextView::EnsureVisible(size_t position) {
    const size_t line = model_.LineFromPosition(position);
    const size_t visible = VisibleLineCount();
    std::int64_t top = static_cast<std::int64_t>(topLine_);
    if (line < topLine_) top = static_cast<std::int64_t>(line);
    else if (line >= topLine_ + visible) top = static_cast<std::int64_t>(line - visible + 1);
    // Sideways the view jumps by a third of its width, as text boxes do, so
    // that a few more steps do not scroll again.
    const std::int64_t x = layout_.XOfPosition(position);
    const int width = TextAreaWidth();
    std::int64_t left = xOffset_;
    if (x < xOffset_) left = x - width / 3;
    else if (x >= xOffset_ + width - 1) left = x - width + width / 3;
    ScrollTo(top, std::max<std::int64_t>(0, left));
}

void TextView::UpdateScrollBars() {
    const LONG style = ::GetWindowLongA(Handle(), GWL_STYLE);
    bool changed = false;
    const auto set = [&](int bar, ScrollBarState state) {
        ScrollBarState& shown = bar == SB_VERT ? verticalBar_ : horizontalBar_;
        if (state == shown) return;
        shown = state;
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
        info.nMax = state.max;
        info.nPage = state.page;
        info.nPos = state.position;
        // Drawn with the next paint, not now: a bar drawn at once costs more
        // than a whole screen of text (some 10 ms under Wine).
        ::SetScrollInfo(Handle(), bar, &info, FALSE);
        changed = true;
    };
    if (style & WS_VSCROLL) {
        set(SB_VERT, {static_cast<int>(std::min<size_t>(model_.LineCount() - 1, 0x7FFFFFFE)),
                      static_cast<UINT>(VisibleLineCount()), static_cast<int>(topLine_)});
    }
    if (style & WS_HSCROLL) {
        // A scroll bar counts to 2^31: a wider text is scrolled in coarser steps.
        const std::int64_t total = layout_.Widest() + kMargin;
        horizontalUnit_ = static_cast<int>(total / 0x40000000 + 1);
        set(SB_HORZ, {static_cast<int>(total / horizontalUnit_), static_cast<UINT>(TextAreaWidth() / horizontalUnit_ + 1),
                      static_cast<int>(xOffset_ / horizontalUnit_)});
    }
    if (changed) ::RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

void TextView::UpdateCaret() {
    if (!hasCaret_) return;
    const size_t line = model_.LineFromPosition(caret_);
    const std::int64_t y = (static_cast<std::int64_t>(line) - static_cast<std::int64_t>(topLine_)) * lineHeight_;
    const std::int64_t x = kMargin + layout_.XOfPosition(caret_) - xOffset_;
    ::SetCaretPos(ToScreen(x), ToScreen(y));
}

// ---- input ------------------------------------------------------------------------

bool TextView::OnKeyDown(WPARAM key) {
    const bool shift = KeyDown(VK_SHIFT), ctrl = KeyDown(VK_CONTROL);
    const size_t selFirst = std::min(anchor_, caret_), selLast = std::max(anchor_, caret_);
    const size_t line = model_.LineFromPosition(caret_);
    // A column in another line, as near as may be to where Up and Down started.
    const auto inLine = [this](std::int64_t target) {
        const size_t clamped = static_cast<size_t>(std::max<std::int64_t>(0, std::min<std::int64_t>(
            target, static_cast<std::int64_t>(model_.LineCount()) - 1)));
        return model_.LineStart(clamped) + layout_.ColumnAt(clamped, desiredX_, true);
    };
    const std::int64_t here = static_cast<std::int64_t>(line);
    const std::int64_t page = static_cast<std::int64_t>(std::max<size_t>(1, VisibleLineCount() - 1));
    switch (key) {
        case VK_LEFT:
            if (!shift && selFirst != selLast && !ctrl) MoveCaret(selFirst, false);
            else MoveCaret(ctrl ? model_.PreviousWordStart(caret_) : model_.PreviousPosition(caret_), shift);
            return true;
        case VK_RIGHT:
            if (!shift && selFirst != selLast && !ctrl) MoveCaret(selLast, false);
            else MoveCaret(ctrl ? model_.NextWordStart(caret_) : model_.NextPosition(caret_), shift);
            return true;
        case VK_UP:
            if (here == 0) MoveCaret(0, shift);
            else MoveCaret(inLine(here - 1), shift, true);
            return true;
        case VK_DOWN:
            if (here + 1 >= static_cast<std::int64_t>(model_.LineCount())) MoveCaret(model_.Length(), shift);
            else MoveCaret(inLine(here + 1), shift, true);
            return true;
        case VK_PRIOR:
            ScrollTo(static_cast<std::int64_t>(topLine_) - page, xOffset_);
            MoveCaret(inLine(here - page), shift, true);
            return true;
        case VK_NEXT:
            ScrollTo(static_cast<std::int64_t>(topLine_) + page, xOffset_);
            MoveCaret(inLine(here + page), shift, true);
            return true;
        case VK_HOME:
            MoveCaret(ctrl ? 0 : model_.LineStart(line), shift);
            return true;
        case VK_END:
            MoveCaret(ctrl ? model_.Length() : model_.LineEnd(line), shift);
            return true;
        default:
            return false;
    }
}

void TextView::OnScroll(int bar, WORD request) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ::GetScrollInfo(Handle(), bar, &info);
    const bool vertical = bar == SB_VERT;
    const std::int64_t unit = vertical ? 1 : horizontalUnit_;
    const std::int64_t line = vertical ? 1 : averageCharWidth_ * 4;
    const std::int64_t page = vertical ? std::max<std::int64_t>(1, static_cast<std::int64_t>(VisibleLineCount()) - 1)
                                       : std::max<std::int64_t>(1, TextAreaWidth() * 3 / 4);
    std::int64_t position = vertical ? static_cast<std::int64_t>(topLine_) : xOffset_;
    switch (request) {
        case SB_LINEUP: position -= line; break;
        case SB_LINEDOWN: position += line; break;
        case SB_PAGEUP: position -= page; break;
        case SB_PAGEDOWN: position += page; break;
        // The 32-bit track position: the one in the message has only 16 bits.
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: position = static_cast<std::int64_t>(info.nTrackPos) * unit; break;
        case SB_TOP: position = 0; break;
        case SB_BOTTOM: position = INT64_MAX / 2; break;
        default: return;
    }
    if (vertical) ScrollTo(position, xOffset_);
    else ScrollTo(static_cast<std::int64_t>(topLine_), position);
    ::UpdateWindow(Handle());
}

// A positive delta scrolls up, or sideways to the right.
void TextView::OnWheel(int delta, bool sideways) {
    int& remainder = sideways ? sideWheelRemainder_ : wheelRemainder_;
    remainder += delta;
    const int notches = remainder / WHEEL_DELTA;
    remainder -= notches * WHEEL_DELTA;
    if (notches == 0) return;
    if (sideways) {
        UINT chars = 3;
        ::SystemParametersInfoA(SPI_GETWHEELSCROLLCHARS, 0, &chars, 0);
        ScrollTo(static_cast<std::int64_t>(topLine_), xOffset_ + std::int64_t{notches} * chars * averageCharWidth_);
    } else {
        UINT lines = 3;
        ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
        const std::int64_t step = lines == WHEEL_PAGESCROLL ? static_cast<std::int64_t>(VisibleLineCount()) : lines;
        // Wheel forward (a positive delta) shows earlier lines.
        ScrollTo(static_cast<std::int64_t>(topLine_) - notches * step, xOffset_);
    }
    ::UpdateWindow(Handle());
}

void TextView::OnMouseDown(POINT point, bool extend) {
    ::SetFocus(Handle());
    MoveCaret(PositionAt(point), extend);
    selecting_ = true;
    lastMouse_ = point;
    ::SetCapture(Handle());
    ::SetTimer(Handle(), kDragTimer, kDragInterval, nullptr);
}

void TextView::OnMouseDrag(POINT point) {
    lastMouse_ = point;
    // Beyond the edges the caret follows into the lines out of view, which
    // scrolls them in; the timer repeats this while the mouse stays there.
    MoveCaret(PositionAt(point), true);
    ::UpdateWindow(Handle());
}

void TextView::StopSelecting() {
    if (!selecting_) return;
    selecting_ = false;
    ::KillTimer(Handle(), kDragTimer);
    if (::GetCapture() == Handle()) ::ReleaseCapture();
}

bool TextView::PreTranslateKey(MSG& msg) {
    // Escape must not reach the dialog navigation: in the main window it would
    // ask the window to cancel.
    return msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE;
}

// ---- drawing ------------------------------------------------------------------------

void TextView::Paint(HDC target, const RECT& update) {
    RECT client{};
    ::GetClientRect(Handle(), &client);
    const int width = client.right, height = client.bottom;
    if (width <= 0 || height <= 0) return;
    // Drawn off-screen and put on the screen in one go: no flicker.
    if (!backBuffer_ || backBufferSize_.cx < width || backBufferSize_.cy < height) {
        backBuffer_.Reset(::CreateCompatibleBitmap(target, width, height));
        backBufferSize_ = {width, height};
    }
    MemoryDC dc(target);
    dc.Select(backBuffer_.Get());
    if (font_) ::SelectObject(dc.Get(), font_);
    ::FillRect(dc.Get(), &client, ::GetSysColorBrush(COLOR_WINDOW));
    const size_t rows = static_cast<size_t>(height / lineHeight_ + 1);
    for (size_t row = 0; row < rows && topLine_ + row < model_.LineCount(); ++row)
        DrawLine(dc.Get(), topLine_ + row, static_cast<int>(row) * lineHeight_, width);
    ::BitBlt(target, update.left, update.top, update.right - update.left, update.bottom - update.top, dc.Get(),
             update.left, update.top, SRCCOPY);
}

void TextView::DrawLine(HDC dc, size_t line, int y, int width) const {
    const std::string& text = model_.Text();
    const size_t start = model_.LineStart(line), end = model_.LineEnd(line);
    const size_t selFirst = std::min(anchor_, caret_), selLast = std::max(anchor_, caret_);
    const std::int64_t right = xOffset_ + width;

    // From the first character that reaches into view to the last.
    std::int64_t x = 0;
    size_t i = start + layout_.ColumnAt(line, xOffset_, false, &x);
    std::vector<char> run;
    std::vector<INT> advances;
    const auto flush = [&](bool selected, std::int64_t runLeft, std::int64_t runRight) {
        if (runRight <= runLeft) return;
        RECT cell{ToScreen(kMargin + runLeft - xOffset_), y, ToScreen(kMargin + runRight - xOffset_), y + lineHeight_};
        ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        ::SetBkColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        ::ExtTextOutA(dc, cell.left, y, ETO_OPAQUE | ETO_CLIPPED, &cell, run.data(), static_cast<UINT>(run.size()),
                      advances.empty() ? nullptr : advances.data());
        run.clear();
        advances.clear();
    };
    std::int64_t runLeft = x;
    bool runSelected = i >= selFirst && i < selLast;
    while (i < end && x < right) {
        const bool selected = i >= selFirst && i < selLast;
        const char c = text[i];
        if (selected != runSelected || c == '\t') {
            flush(runSelected, runLeft, x);
            runLeft = x;
            runSelected = selected;
        }
        const std::int64_t next = layout_.Advance(x, c);
        if (c == '\t') {
            flush(selected, x, next);  // a tab is only the background up to its stop
            runLeft = next;
        } else {
            run.push_back(c);
            advances.push_back(static_cast<INT>(next - x));
        }
        x = next;
        ++i;
    }
    flush(runSelected, runLeft, x);
    // A selected line break shows as a little highlighted room behind the line.
    if (i == end && end < text.size() && end >= selFirst && end < selLast) {
        RECT room{ToScreen(kMargin + x - xOffset_), y, ToScreen(kMargin + x - xOffset_ + averageCharWidth_), y + lineHeight_};
        ::FillRect(dc, &room, ::GetSysColorBrush(COLOR_HIGHLIGHT));
    }
}

// ---- messages -----------------------------------------------------------------------

LRESULT CALLBACK TextView::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* view = reinterpret_cast<TextView*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!view) return ::DefWindowProcA(hwnd, message, wParam, lParam);
    // An exception must never unwind through the system's code.
    try {
        return view->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        view->Owner().App().HandleException(error);
    } catch (...) {
        view->Owner().App().HandleException(Error("Unexpected error"));
    }
    return 0;
}

LRESULT TextView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = Handle();
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint{};
            const HDC dc = ::BeginPaint(hwnd, &paint);
            Paint(dc, paint.rcPaint);
            ::EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT client{};
            ::GetClientRect(hwnd, &client);
            Paint(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // the painting covers everything
        case WM_SIZE:
            ScrollTo(static_cast<std::int64_t>(topLine_), xOffset_);
            UpdateScrollBars();
            ::InvalidateRect(hwnd, nullptr, FALSE);
            return 0;
        case WM_SETFONT:
            SetFont(reinterpret_cast<HFONT>(wParam));
            TextChanged(0);  // every line measures anew
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case WM_SETFOCUS: {
            DWORD width = 1;
            ::SystemParametersInfoA(SPI_GETCARETWIDTH, 0, &width, 0);
            ::CreateCaret(hwnd, nullptr, static_cast<int>(std::max<DWORD>(1, width)), lineHeight_);
            hasCaret_ = true;
            UpdateCaret();
            ::ShowCaret(hwnd);
            return 0;
        }
        case WM_KILLFOCUS:
            StopSelecting();
            if (hasCaret_) ::DestroyCaret();
            hasCaret_ = false;
            return 0;
        case WM_GETDLGCODE:
            // A read-only text box: arrows and characters are its own; Tab,
            // Enter and Escape belong to the dialog navigation.
            return DLGC_WANTARROWS | DLGC_WANTCHARS;
        case WM_KEYDOWN:
            if (OnKeyDown(wParam)) return 0;
            break;
        case WM_CHAR:
            return 0;  // typing changes nothing
        case WM_VSCROLL:
            OnScroll(SB_VERT, LOWORD(wParam));
            return 0;
        case WM_HSCROLL:
            OnScroll(SB_HORZ, LOWORD(wParam));
            return 0;
        case WM_MOUSEWHEEL:
            // With Shift the wheel scrolls sideways: turned towards the user, to the right.
            if (GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT)
                OnWheel(-GET_WHEEL_DELTA_WPARAM(wParam), true);
            else
                OnWheel(GET_WHEEL_DELTA_WPARAM(wParam), false);
            return 0;
        case WM_MOUSEHWHEEL:
            OnWheel(GET_WHEEL_DELTA_WPARAM(wParam), true);
            return 0;
        case WM_LBUTTONDOWN:
            OnMouseDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, (wParam & MK_SHIFT) != 0);
            return 0;
        case WM_LBUTTONDBLCLK: {
            const auto word = model_.WordAt(PositionAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
            Select(word.first, word.second);
            EnsureVisible(caret_);
            return 0;
        }
        case WM_MOUSEMOVE:
            if (selecting_) OnMouseDrag({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_TIMER:
            if (wParam == kDragTimer && selecting_) {
                RECT client{};
                ::GetClientRect(hwnd, &client);
                if (!::PtInRect(&client, lastMouse_)) OnMouseDrag(lastMouse_);
            }
            return 0;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            StopSelecting();
            return 0;
        case WM_RBUTTONDOWN:
            ::SetFocus(hwnd);
            return 0;
        default: {
            bool handled = false;
            const LRESULT result = HandleEditMessage(message, wParam, lParam, handled);
            if (handled) return result;
            break;
        }
    }
    return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT TextView::HandleEditMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    const std::string& text = model_.Text();
    switch (message) {
        case WM_GETTEXT: {
            if (wParam == 0 || lParam == 0) return 0;
            const size_t count = std::min(text.size(), static_cast<size_t>(wParam) - 1);
            char* out = reinterpret_cast<char*>(lParam);
            std::memcpy(out, text.data(), count);
            out[count] = '\0';
            return static_cast<LRESULT>(count);
        }
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(text.size());
        case WM_SETTEXT:
            SetPlainText(lParam ? reinterpret_cast<const char*>(lParam) : "");
            return TRUE;
        case EM_GETSEL: {
            const DWORD first = static_cast<DWORD>(SelStart()), last = static_cast<DWORD>(SelStart() + SelLength());
            if (wParam) *reinterpret_cast<DWORD*>(wParam) = first;
            if (lParam) *reinterpret_cast<DWORD*>(lParam) = last;
            return (first > 0xFFFF || last > 0xFFFF) ? -1 : MAKELRESULT(first, last);
        }
        case EM_EXGETSEL: {
            auto* range = reinterpret_cast<CHARRANGE*>(lParam);
            if (range) *range = {SelStart(), SelStart() + SelLength()};
            return 0;
        }
        case EM_SETSEL:
        case EM_EXSETSEL: {
            long first = 0, last = 0;
            if (message == EM_SETSEL) {
                first = static_cast<long>(static_cast<int>(wParam));
                last = static_cast<long>(static_cast<int>(lParam));
            } else if (const auto* range = reinterpret_cast<const CHARRANGE*>(lParam)) {
                first = range->cpMin;
                last = range->cpMax;
            }
            const size_t length = model_.Length();
            if (first < 0) {
                Select(caret_, caret_);  // no selection, the caret stays
            } else {
                const size_t anchor = std::min(static_cast<size_t>(first), length);
                const size_t caret = last < 0 ? length : std::min(static_cast<size_t>(last), length);
                Select(anchor, caret);
            }
            return message == EM_EXSETSEL ? static_cast<LRESULT>(std::max(anchor_, caret_)) : 0;
        }
        case EM_FINDTEXT: {
            const auto* request = reinterpret_cast<const FINDTEXTA*>(lParam);
            if (!request || !request->lpstrText) return -1;
            SearchOptions options;
            options.matchCase = (wParam & FR_MATCHCASE) != 0;
            options.wholeWord = (wParam & FR_WHOLEWORD) != 0;
            return FindText(request->lpstrText, request->chrg.cpMin, request->chrg.cpMax, options);
        }
        case EM_SCROLLCARET:
            ScrollCaretIntoView();
            return 0;
        case EM_GETLINECOUNT:
            return static_cast<LRESULT>(model_.LineCount());
        case EM_LINEFROMCHAR: {
            const long position = static_cast<long>(static_cast<LONG_PTR>(wParam));
            return static_cast<LRESULT>(model_.LineFromPosition(position < 0 ? static_cast<size_t>(SelStart())
                                                                              : static_cast<size_t>(position)));
        }
        case EM_LINEINDEX: {
            const long line = static_cast<long>(static_cast<LONG_PTR>(wParam));
            const size_t which = line < 0 ? model_.LineFromPosition(caret_) : static_cast<size_t>(line);
            return which < model_.LineCount() ? static_cast<LRESULT>(model_.LineStart(which)) : -1;
        }
        case EM_LINELENGTH: {
            const long position = static_cast<long>(static_cast<LONG_PTR>(wParam));
            return static_cast<LRESULT>(model_.LineLength(model_.LineFromPosition(
                position < 0 ? caret_ : static_cast<size_t>(position))));
        }
        case EM_GETLINE: {
            // The buffer's first word says how many characters it takes; no NUL is added.
            const size_t line = static_cast<size_t>(wParam);
            if (line >= model_.LineCount() || lParam == 0) return 0;
            char* out = reinterpret_cast<char*>(lParam);
            WORD room = 0;
            std::memcpy(&room, out, sizeof room);
            const size_t count = std::min<size_t>(room, model_.LineLength(line));
            std::memcpy(out, text.data() + model_.LineStart(line), count);
            return static_cast<LRESULT>(count);
        }
        case WM_COPY:
            CopyToClipboard();
            return 0;
        case WM_RENDERFORMAT:
            if (wParam == CF_TEXT) RenderClipboardText();
            return 0;
        case WM_RENDERALLFORMATS:
            RenderClipboardBeforeLeaving();
            return 0;
        case WM_DESTROYCLIPBOARD:
            std::string().swap(clipboardText_);
            return 0;
        case EM_POSFROMCHAR: {
            // As the plain edit control answers it: the position in wParam, the
            // character's top left corner in the client area as two 16-bit numbers.
            const size_t position = static_cast<size_t>(wParam);
            if (position > model_.Length()) return -1;
            const std::int64_t row = static_cast<std::int64_t>(model_.LineFromPosition(position)) -
                                     static_cast<std::int64_t>(topLine_);
            const int x = ToScreen(kMargin + layout_.XOfPosition(position) - xOffset_);
            const int y = ToScreen(row * lineHeight_);
            return MAKELRESULT(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
        }
        case EM_CHARFROMPOS: {
            const size_t position = PositionAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            const size_t line = model_.LineFromPosition(position);
            return MAKELRESULT(static_cast<WORD>(position & 0xFFFF), static_cast<WORD>(line & 0xFFFF));
        }
        case EM_GETFIRSTVISIBLELINE:
            return static_cast<LRESULT>(topLine_);
        case EM_SETREADONLY:
            return TRUE;  // it is read-only, and stays so
        default:
            handled = false;
            return 0;
    }
}

}  // namespace platform

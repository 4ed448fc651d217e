#include "Controls.h"

#include <ocidl.h>
#include <olectl.h>

#include "Application.h"
#include "Form.h"
#include "Layout.h"
#include "Menu.h"
#include "Resources.h"

namespace platform {

Component::Component(Form& owner, const LayoutEntry& entry) : owner_(owner), name_(entry.Name()) {}

// ---- Control -------------------------------------------------------------

namespace {
RECT RectInParent(HWND hwnd) {
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(hwnd), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
}  // namespace

Control::Control(Form& owner, const LayoutEntry& entry, const char* windowClass, DWORD style, DWORD exStyle)
    : Component(owner, entry), id_(owner.NewCommandId(*this)), tabOrder_(entry.Int("TabOrder", 0)) {
    if (entry.Has("Parent")) {
        // Controls inside a group box stay children of the form, so that their
        // notifications reach it; only their coordinates are the box's.
        auto& parent = owner.Get<Control>(entry.Text("Parent"));
        layoutParent_ = &parent;
        parentOrigin_ = {parent.parentOrigin_.x + parent.Left(), parent.parentOrigin_.y + parent.Top()};
    }
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (entry.Bool("Visible", true)) style |= WS_VISIBLE;
    if (!entry.Bool("Enabled", true)) style |= WS_DISABLED;
    hwnd_ = ::CreateWindowExA(exStyle, windowClass, entry.Text("Caption").c_str(), style,
                              parentOrigin_.x + entry.Int("Left"), parentOrigin_.y + entry.Int("Top"), entry.Int("Width"),
                              entry.Int("Height"), owner.Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                              owner.App().Instance(), nullptr);
    if (!hwnd_) throw Error("Cannot create the control " + Name());
    ::SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(owner.Font()), FALSE);
}

void Control::Resolve(const LayoutEntry& entry) {
    if (entry.Has("PopupMenu")) contextMenu_ = &Owner().Get<PopupMenu>(entry.Text("PopupMenu"));
}

int Control::Left() const { return RectInParent(hwnd_).left - parentOrigin_.x; }
int Control::Top() const { return RectInParent(hwnd_).top - parentOrigin_.y; }
int Control::Width() const {
    const RECT r = RectInParent(hwnd_);
    return r.right - r.left;
}
int Control::Height() const {
    const RECT r = RectInParent(hwnd_);
    return r.bottom - r.top;
}

void Control::SetBounds(int left, int top, int width, int height) {
    ::SetWindowPos(hwnd_, nullptr, parentOrigin_.x + left, parentOrigin_.y + top, width, height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Control::Visible() const { return (::GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }
void Control::SetVisible(bool visible) { ::ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }
bool Control::Enabled() const { return ::IsWindowEnabled(hwnd_) != FALSE; }
void Control::SetEnabled(bool enabled) { ::EnableWindow(hwnd_, enabled ? TRUE : FALSE); }
bool Control::Focused() const { return ::GetFocus() == hwnd_; }
void Control::SetFocus() { ::SetFocus(hwnd_); }
void Control::Repaint() {
    ::InvalidateRect(hwnd_, nullptr, TRUE);
    ::UpdateWindow(hwnd_);
}

std::string WindowText(HWND window) {
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string Control::Caption() const { return WindowText(hwnd_); }

void Control::SetCaption(const std::string& caption) { ::SetWindowTextA(hwnd_, caption.c_str()); }

// ---- Button --------------------------------------------------------------

Button::Button(Form& owner, const LayoutEntry& entry) : Control(owner, entry, "BUTTON", BS_PUSHBUTTON | WS_TABSTOP) {}

void Button::Click() {
    if (Visible() && Enabled() && OnClick) OnClick();
}

void Button::HandleCommand(WORD notification) {
    if (notification == BN_CLICKED && OnClick) OnClick();
}

bool Button::PreTranslateKey(MSG& msg) {
    // Outside dialogs the system presses a focused button on Space only; our users
    // expect Enter to press it too.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
        Click();
        return true;
    }
    return false;
}

// ---- GroupBox ------------------------------------------------------------

GroupBox::GroupBox(Form& owner, const LayoutEntry& entry) : Control(owner, entry, "BUTTON", BS_GROUPBOX) {}

// ---- Label ---------------------------------------------------------------

Label::Label(Form& owner, const LayoutEntry& entry)
    : Control(owner, entry, "STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX), autoSize_(entry.Bool("AutoSize", false)) {
    FitToText();
}

void Label::SetCaption(const std::string& caption) {
    Control::SetCaption(caption);
    FitToText();
}

void Label::FitToText() {
    if (!autoSize_) return;
    const std::string text = Caption();
    WindowDC dc(Handle());
    dc.Select(Owner().Font());
    SIZE extent{};
    ::GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
    // The static control draws with a little more room than the measured text
    // needs (seen with substituted fonts); without it the last letter is cut.
    constexpr int kSlack = 4;
    SetBounds(Left(), Top(), extent.cx + kSlack, Height());
}

// ---- Edit ----------------------------------------------------------------

Edit::Edit(Form& owner, const LayoutEntry& entry)
    : Control(owner, entry, "EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE) {}

void Edit::SetText(const std::string& text) {
    // The control's own notification is not sent alike for every kind of edit;
    // raise the event here once, as the user's typing would.
    settingText_ = true;
    SetCaption(text);
    settingText_ = false;
    if (OnChange) OnChange();
}

void Edit::HandleCommand(WORD notification) {
    if (notification == EN_CHANGE && !settingText_ && OnChange) OnChange();
}

bool Edit::PreTranslateKey(MSG& msg) {
    if (!OnKeyPress) return false;
    // Dialog navigation takes Enter before it becomes a character: hand it over here.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
        char key = '\r';
        OnKeyPress(key);
        return true;
    }
    if (msg.message == WM_CHAR) {
        char key = static_cast<char>(msg.wParam);
        OnKeyPress(key);
        if (key == 0) return true;
        msg.wParam = static_cast<unsigned char>(key);
    }
    return false;
}

// ---- Image ---------------------------------------------------------------

namespace {

GdiObject DecodePicture(const std::string& bytes) {
    GlobalMemory memory(::GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    if (!memory) throw Error("Out of memory for a picture");
    {
        GlobalLock lock(memory.Get());
        if (!lock.Data()) throw Error("Out of memory for a picture");
        memcpy(lock.Data(), bytes.data(), bytes.size());
    }
    ComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(memory.Get(), TRUE, stream.Receive()))) throw Error("Cannot read a picture");
    memory.Release();  // the stream frees it now
    ComPtr<IPicture> picture;
    if (FAILED(::OleLoadPicture(stream.Get(), static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                                reinterpret_cast<void**>(picture.Receive()))))
        throw Error("Cannot decode a picture");
    OLE_HANDLE handle = 0;
    picture->get_Handle(&handle);
    // The picture object owns its bitmap; keep a copy that outlives it.
    return GdiObject(::CopyImage(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), IMAGE_BITMAP, 0, 0, 0));
}

}  // namespace

Image::Image(Form& owner, const LayoutEntry& entry) : Control(owner, entry, "STATIC", SS_OWNERDRAW) {
    if (!entry.Has("Picture")) return;
    bitmap_ = DecodePicture(LoadResourceData(owner.App().Instance(), entry.Text("Picture")));
    BITMAP info{};
    if (bitmap_ && ::GetObjectA(bitmap_.Get(), sizeof info, &info)) pictureSize_ = {info.bmWidth, info.bmHeight};
}

void Image::Draw(const DRAWITEMSTRUCT& item) const {
    ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
    if (!bitmap_) return;
    MemoryDC source(item.hDC);
    source.Select(bitmap_.Get());
    ::BitBlt(item.hDC, 0, 0, pictureSize_.cx, pictureSize_.cy, source.Get(), 0, 0, SRCCOPY);
}

}  // namespace platform

#include "RichEdit.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

#include "Application.h"
#include "Form.h"
#include "Layout.h"
#include "Resources.h"
#include "Text.h"

namespace platform {

namespace {

const char* RichEditClass(Form& owner) {
    owner.App().LoadRichEditLibrary();
    return "RICHEDIT";
}

DWORD RichEditStyle(const LayoutEntry& entry) {
    DWORD style = ES_MULTILINE | ES_AUTOVSCROLL | WS_TABSTOP | ES_NOHIDESEL;
    if (entry.Bool("ReadOnly", false)) style |= ES_READONLY;
    const std::string bars = entry.Text("ScrollBars", "None");
    if (bars == "Both" || bars == "Vertical") style |= WS_VSCROLL;
    if (bars == "Both" || bars == "Horizontal") style |= WS_HSCROLL;
    if (!entry.Bool("WordWrap", true)) style |= ES_AUTOHSCROLL;
    return style;
}

// Hands the text to the control chunk by chunk.
struct StreamSource {
    const std::string& text;
    size_t offset = 0;

    static DWORD CALLBACK Read(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
        auto& self = *reinterpret_cast<StreamSource*>(cookie);
        const size_t count = std::min(static_cast<size_t>(wanted), self.text.size() - self.offset);
        std::memcpy(buffer, self.text.data() + self.offset, count);
        self.offset += count;
        *given = static_cast<LONG>(count);
        return 0;
    }
};

constexpr LPARAM kNoTextLimit = 0x7FFFFFFE;

}  // namespace

RichEdit::RichEdit(Form& owner, const LayoutEntry& entry)
    : Control(owner, entry, RichEditClass(owner), RichEditStyle(entry), WS_EX_CLIENTEDGE),
      readOnly_(entry.Bool("ReadOnly", false)) {
    // Wrap at the window's edge, or (line width 1) not at all.
    ::SendMessageA(Handle(), EM_SETTARGETDEVICE, 0, entry.Bool("WordWrap", true) ? 0 : 1);
    ::SendMessageA(Handle(), EM_EXLIMITTEXT, 0, kNoTextLimit);
    if (entry.Has("TextResource"))
        SetPlainText(Utf8ToWindows1252(LoadResourceData(owner.App().Instance(), entry.Text("TextResource"))));
}

void RichEdit::SetPlainText(const std::string& text) {
    StreamSource source{text};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = &StreamSource::Read;
    ::SendMessageA(Handle(), EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
    if (stream.dwError != 0 || source.offset != text.size()) throw Error("The control could not take the whole text");
}

std::string RichEdit::Text() const {
    std::string text(static_cast<size_t>(::SendMessageA(Handle(), WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    const LRESULT got = ::SendMessageA(Handle(), WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got));
    return text;
}

void RichEdit::SetSelection(long start, long length) {
    CHARRANGE range{start, start + length};
    ::SendMessageA(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

std::string RichEdit::SelectedText() const {
    CHARRANGE range{};
    ::SendMessageA(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    std::string text(static_cast<size_t>(range.cpMax - range.cpMin) * 2 + 1, '\0');
    const LRESULT got = ::SendMessageA(Handle(), EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got));
    return text;
}

bool RichEdit::PreTranslateKey(MSG& msg) {
    if (msg.message != WM_KEYDOWN) return false;
    // A multi-line control keeps Tab for itself, and asks its parent to move the
    // focus, which a form does not do: a read-only text takes no tabs, so Tab
    // moves on here, as in any dialog.
    if (msg.wParam == VK_TAB && readOnly_) {
        const bool back = ::GetKeyState(VK_SHIFT) < 0;
        if (HWND next = ::GetNextDlgTabItem(Owner().Handle(), Handle(), back ? TRUE : FALSE)) ::SetFocus(next);
        return true;
    }
    // Under dialog navigation a multi-line control answers Escape by closing its
    // parent window.
    return msg.wParam == VK_ESCAPE;
}

}  // namespace platform

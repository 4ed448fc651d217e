#include "RichEdit.h"

#include <commdlg.h>
#include <richedit.h>
#undef FindText

#include <algorithm>
#include <cstring>

#include "Application.h"
#include "FileIO.h"
#include "Form.h"
#include "Layout.h"
#include "Memory.h"
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

// Hands the text to the control chunk by chunk; a NUL would end the control's
// text early, so it goes in as the replacement character. Stops the intake when
// the rest would not fit in memory.
struct StreamSource {
    const std::string& text;
    MemoryWatch watch;
    size_t offset = 0;

    static DWORD CALLBACK Read(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
        auto& self = *reinterpret_cast<StreamSource*>(cookie);
        *given = 0;
        if (!self.watch.Affords(self.offset)) return ERROR_NOT_ENOUGH_MEMORY;
        size_t count = std::min(static_cast<size_t>(wanted), self.text.size() - self.offset);
        // A first chunk that begins with the UTF-8 byte order mark makes the control
        // read the text as UTF-8; handed over alone, the first byte is one character
        // like all others.
        if (self.offset == 0 && self.text.compare(0, 3, "\xEF\xBB\xBF") == 0) count = 1;
        char* out = reinterpret_cast<char*>(buffer);
        std::memcpy(out, self.text.data() + self.offset, count);
        std::replace(out, out + count, '\0', RichEdit::kNulReplacement);
        self.offset += count;
        *given = static_cast<LONG>(count);
        return 0;
    }
};

constexpr LPARAM kNoTextLimit = 0x7FFFFFFE;

}  // namespace

RichEdit::RichEdit(Form& owner, const LayoutEntry& entry)
    : Control(owner, entry, RichEditClass(owner), RichEditStyle(entry), WS_EX_CLIENTEDGE),
      wordWrap_(entry.Bool("WordWrap", true)) {
    ApplyOptions(Handle());
    if (entry.Has("TextResource"))
        SetPlainText(Utf8ToWindows1252(LoadResourceData(owner.App().Instance(), entry.Text("TextResource"))));
}

void RichEdit::ApplyOptions(HWND target) const {
    // Wrap at the window's edge, or (line width 1) not at all.
    ::SendMessageA(target, EM_SETTARGETDEVICE, 0, wordWrap_ ? 0 : 1);
    ::SendMessageA(target, EM_EXLIMITTEXT, 0, kNoTextLimit);
}

void RichEdit::StreamIn(HWND target, const std::string& text) {
    StreamSource source{text, MemoryWatch(text.size(), memoryToKeepFree_)};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = &StreamSource::Read;
    ::SendMessageA(target, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
    if (stream.dwError == ERROR_NOT_ENOUGH_MEMORY) throw Error("Not enough memory to show the whole text");
    if (stream.dwError != 0 || source.offset != text.size()) throw Error("The view could not take the whole text");
    constexpr size_t kTellingSize = size_t{1} << 20;  // smaller intakes say little about the cost
    if (text.size() >= kTellingSize) costPerByte_ = std::max(1.0, source.watch.CostPerByte(text.size()));
}

void RichEdit::SetPlainText(const std::string& text) {
    loaded_.valid = false;
    ShowText(text);
}

void RichEdit::ShowText(const std::string& text) {
    // The text goes into a fresh control, which takes the old one's place only
    // when it holds all of it: a failed intake leaves the view as it was. (A
    // control also empties itself in time that grows with the square of its
    // text: a 1 MB journal took minutes under Wine; a fresh one is empty at once.)
    Window fresh = CreateReplacementWindow();
    ApplyOptions(fresh.Get());
    // The control keeps a lone CR or LF as it is, and the clipboard would carry it
    // on; shown and copied, a line break is CR LF.
    if (HasLoneLineBreak(text))
        StreamIn(fresh.Get(), WithCrLfLineBreaks(text));
    else
        StreamIn(fresh.Get(), text);
    AdoptWindow(std::move(fresh));
}

void RichEdit::AppendText(std::string tail, bool previousEndsWithCr) {
    // A CR LF split between the old end and the new bytes: the CR is already
    // shown as a whole line break.
    if (previousEndsWithCr && !tail.empty() && tail.front() == '\n') tail.erase(0, 1);
    if (tail.empty()) return;
    if (HasLoneLineBreak(tail)) tail = WithCrLfLineBreaks(tail);
    std::replace(tail.begin(), tail.end(), '\0', kNulReplacement);
    // Inserted at the caret rather than streamed: after a stream the control
    // looks up where the new text began by walking every line from the top.
    MoveCaretToEnd();
    const long before = TextLength();
    ::SendMessageA(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(tail.c_str()));
    if (TextLength() - before != static_cast<long>(tail.size())) throw Error("The view could not take the whole text");
}

bool RichEdit::AppendFits(size_t bytes) const {
    // Text once inserted is slow to take out again (in time that grows with the
    // square of its length), so an append must not fail halfway: it goes ahead
    // only with twice the expected memory to spare. Otherwise the whole journal
    // goes into a fresh control, which can fail without touching the view.
    const double needed = 2 * costPerByte_ * static_cast<double>(bytes);
    return needed + static_cast<double>(memoryToKeepFree_) <= static_cast<double>(AvailableMemory());
}

void RichEdit::LoadFromFile(const std::string& path) {
    std::string bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (...) {
        loaded_.valid = false;  // whatever comes next is read in full
        throw;
    }
    const std::string& old = loaded_.bytes;
    const bool grew = loaded_.valid && loaded_.path == path && bytes.size() >= old.size() &&
                      std::memcmp(bytes.data(), old.data(), old.size()) == 0 &&
                      AppendFits(bytes.size() - old.size());
    // Until the view surely shows these bytes, nothing is known about it.
    loaded_.valid = false;
    if (grew)
        AppendText(bytes.substr(old.size()), !old.empty() && old.back() == '\r');
    else
        ShowText(bytes);
    lastLoadAppended_ = grew;
    loaded_ = {path, std::move(bytes), true};
}

long RichEdit::TextLength() const { return static_cast<long>(::SendMessageA(Handle(), WM_GETTEXTLENGTH, 0, 0)); }

std::string RichEdit::Text() const {
    std::string text(static_cast<size_t>(TextLength()) + 1, '\0');
    const LRESULT got = ::SendMessageA(Handle(), WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got));
    return text;
}

long RichEdit::SelStart() const {
    CHARRANGE range{};
    ::SendMessageA(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range.cpMin;
}

long RichEdit::SelLength() const {
    CHARRANGE range{};
    ::SendMessageA(Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range.cpMax - range.cpMin;
}

void RichEdit::SetSelection(long start, long length) {
    CHARRANGE range{start, start + length};
    ::SendMessageA(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void RichEdit::SelectAll() {
    CHARRANGE range{0, -1};
    ::SendMessageA(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void RichEdit::MoveCaretToEnd() {
    // A position past the text stands for its end.
    CHARRANGE range{kNoTextLimit, kNoTextLimit};
    ::SendMessageA(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

std::string RichEdit::SelectedText() const {
    std::string text(static_cast<size_t>(SelLength()) * 2 + 1, '\0');
    const LRESULT got = ::SendMessageA(Handle(), EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got));
    return text;
}

void RichEdit::CopyToClipboard() {
    // An empty selection leaves the clipboard as it was; so does one that holds
    // only the end mark behind the text (select-all in an empty view).
    if (SelLength() > 0 && SelStart() < TextLength()) ::SendMessageA(Handle(), WM_COPY, 0, 0);
}

void RichEdit::ScrollCaretIntoView() { ::SendMessageA(Handle(), EM_SCROLLCARET, 0, 0); }

bool RichEdit::PreTranslateKey(MSG& msg) {
    // Under dialog navigation a multi-line control answers Escape by closing its
    // parent window: in the main window that would end the program.
    return msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE;
}

long RichEdit::FindText(const std::string& text, long start, long end, SearchOptions options) const {
    FINDTEXTA request{};
    request.chrg = {start, end};
    request.lpstrText = text.c_str();
    // Without FR_DOWN the later control versions search backwards; always go forward.
    const WPARAM flags = FR_DOWN | (options.wholeWord ? FR_WHOLEWORD : 0) | (options.matchCase ? FR_MATCHCASE : 0);
    return static_cast<long>(::SendMessageA(Handle(), EM_FINDTEXT, flags, reinterpret_cast<LPARAM>(&request)));
}

}  // namespace platform

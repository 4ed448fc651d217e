// The system's modeless Find dialog (FindTextA), kept for the whole run so that
// it remembers its text and options between openings.
#pragma once

#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>
// The ANSI/wide macro of that name would rename our members.
#undef FindText

#include <functional>
#include <string>

#include "Component.h"

namespace platform {

class FindDialog : public Component {
public:
    FindDialog(Form& owner, const LayoutEntry& entry);
    ~FindDialog() override;

    // Raised each time the user presses "find next".
    std::function<void()> OnFind;

    // Opens the dialog, or brings it to the front when it is open already.
    void Execute();
    void CloseDialog();

    HWND DialogHandle() const { return dialog_; }
    std::string FindText() const { return buffer_; }
    void SetFindText(const std::string& text);
    // FR_* flags as the dialog holds them (FR_DOWN, FR_MATCHCASE, FR_WHOLEWORD, ...).
    DWORD Options() const { return request_.Flags; }
    bool MatchCase() const { return (request_.Flags & FR_MATCHCASE) != 0; }
    bool WholeWord() const { return (request_.Flags & FR_WHOLEWORD) != 0; }
    void SetMatchCase(bool on) { SetFlag(FR_MATCHCASE, on); }
    void SetWholeWord(bool on) { SetFlag(FR_WHOLEWORD, on); }

private:
    LRESULT HandleNotification(LPARAM lParam);
    void SetFlag(DWORD flag, bool on) { request_.Flags = on ? (request_.Flags | flag) : (request_.Flags & ~flag); }

    FINDREPLACEA request_{};
    char buffer_[256] = {};
    HWND dialog_ = nullptr;
};

}  // namespace platform

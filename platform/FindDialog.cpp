#include "FindDialog.h"

#include <algorithm>
#include <cstring>

#include "Application.h"
#include "Form.h"
#include "Layout.h"

namespace platform {

namespace {

DWORD OptionFlags(const std::string& options) {
    DWORD flags = 0;
    if (options.find("frDown") != std::string::npos) flags |= FR_DOWN;
    if (options.find("frHideUpDown") != std::string::npos) flags |= FR_HIDEUPDOWN;
    if (options.find("frDisableUpDown") != std::string::npos) flags |= FR_NOUPDOWN;
    if (options.find("frMatchCase") != std::string::npos) flags |= FR_MATCHCASE;
    if (options.find("frWholeWord") != std::string::npos) flags |= FR_WHOLEWORD;
    return flags;
}

}  // namespace

FindDialog::FindDialog(Form& owner, const LayoutEntry& entry) : Component(owner, entry) {
    request_.lStructSize = sizeof request_;
    request_.hwndOwner = owner.Handle();
    request_.hInstance = owner.App().Instance();
    request_.lpstrFindWhat = buffer_;
    request_.wFindWhatLen = sizeof buffer_;
    request_.Flags = OptionFlags(entry.Text("Options"));
    const UINT message = ::RegisterWindowMessageA(FINDMSGSTRINGA);
    owner.HookMessage(message, [this](WPARAM, LPARAM lParam) { return HandleNotification(lParam); });
}

FindDialog::~FindDialog() { CloseDialog(); }

void FindDialog::SetFindText(const std::string& text) {
    const size_t length = std::min(text.size(), sizeof buffer_ - 1);
    std::memcpy(buffer_, text.data(), length);
    buffer_[length] = '\0';
    if (dialog_) ::SetDlgItemTextA(dialog_, edt1, buffer_);
}

void FindDialog::Execute() {
    if (dialog_) {
        ::SetForegroundWindow(dialog_);
        ::BringWindowToTop(dialog_);
        return;
    }
    // The notification flags of the last search must not leak into the new dialog.
    request_.Flags &= ~(FR_FINDNEXT | FR_DIALOGTERM | FR_REPLACE | FR_REPLACEALL);
    dialog_ = ::FindTextA(&request_);
    if (!dialog_) throw Error("Cannot open the Find dialog");
    // Not every dialog implementation disables what it hides; the direction is fixed.
    if (request_.Flags & FR_NOUPDOWN)
        for (int id : {rad1, rad2, grp1})
            if (HWND control = ::GetDlgItem(dialog_, id)) ::EnableWindow(control, FALSE);
    Owner().App().AddModelessDialog(dialog_);
}

void FindDialog::CloseDialog() {
    if (!dialog_) return;
    Owner().App().RemoveModelessDialog(dialog_);
    const HWND dialog = dialog_;
    dialog_ = nullptr;
    ::DestroyWindow(dialog);
}

LRESULT FindDialog::HandleNotification(LPARAM lParam) {
    if (reinterpret_cast<FINDREPLACEA*>(lParam) != &request_) return 0;
    if (request_.Flags & FR_DIALOGTERM) {
        Owner().App().RemoveModelessDialog(dialog_);
        dialog_ = nullptr;
    } else if ((request_.Flags & FR_FINDNEXT) && OnFind) {
        OnFind();
    }
    return 0;
}

}  // namespace platform

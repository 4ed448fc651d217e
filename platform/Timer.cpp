#include "Timer.h"

#include "Form.h"
#include "Layout.h"

namespace platform {

Timer::Timer(Form& owner, const LayoutEntry& entry)
    : Component(owner, entry), interval_(static_cast<unsigned>(entry.Int("Interval", 1000))), id_(owner.NewCommandId(*this)) {
    SetEnabled(entry.Bool("Enabled", true));
}

Timer::~Timer() { SetEnabled(false); }

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (enabled)
        ::SetTimer(Owner().Handle(), static_cast<UINT_PTR>(id_), interval_, nullptr);
    else
        ::KillTimer(Owner().Handle(), static_cast<UINT_PTR>(id_));
}

// The form hands WM_TIMER for our id on as a command.
void Timer::HandleCommand(WORD /*notification*/) {
    if (enabled_ && OnTimer) OnTimer();
}

}  // namespace platform

// A window timer of the form: OnTimer runs every Interval milliseconds while enabled.
#pragma once

#include <functional>

#include "Component.h"

namespace platform {

class Timer : public Component {
public:
    Timer(Form& owner, const LayoutEntry& entry);
    ~Timer() override;

    std::function<void()> OnTimer;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return interval_; }

    void HandleCommand(WORD notification) override;

private:
    unsigned interval_;
    bool enabled_ = false;
    int id_;
};

}  // namespace platform

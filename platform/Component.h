// The base of everything a form holds: named, owned by its form.
#pragma once

#include <windows.h>

#include <string>

namespace platform {

class Form;
class LayoutEntry;

class Component {
public:
    Component(Form& owner, const LayoutEntry& entry);
    virtual ~Component() = default;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const std::string& Name() const { return name_; }
    Form& Owner() const { return owner_; }

    // A WM_COMMAND the form received for this component's command id.
    virtual void HandleCommand(WORD /*notification*/) {}

    // Called once all components of the form exist, to resolve references by name.
    virtual void Resolve(const LayoutEntry& /*entry*/) {}

private:
    Form& owner_;
    std::string name_;
};

}  // namespace platform

// Menu bar, context menu and their items, with shortcuts that work as accelerators.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Component.h"
#include "Handles.h"

namespace platform {

// A shortcut code: the virtual key in the low byte, plus 0x2000 for Shift,
// 0x4000 for Ctrl and 0x8000 for Alt (Ctrl+O is 16463, F1 is 112).
using ShortCut = unsigned short;

// The text a menu shows for a shortcut, with the German key names ("Strg+O", "F2").
std::string ShortCutToText(ShortCut shortCut);
// The accelerator entry for a shortcut that sends command.
ACCEL ShortCutToAccel(ShortCut shortCut, WORD command);

class Menu;

class MenuItem : public Component {
public:
    MenuItem(Form& owner, const LayoutEntry& entry);

    std::function<void()> OnClick;

    const std::string& Caption() const { return caption_; }
    ShortCut ShortCutCode() const { return shortCut_; }
    int Id() const { return id_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    const std::vector<MenuItem*>& Items() const { return items_; }

    // Runs OnClick as choosing the item does; a disabled item does nothing.
    void Click();
    void HandleCommand(WORD notification) override;
    void Resolve(const LayoutEntry& entry) override;

    // Appends this item (and its submenu) to menu; called when the menu is built.
    void AppendTo(HMENU menu);
    void CollectAccelerators(std::vector<ACCEL>& table) const;

private:
    void UpdateState();
    std::string caption_;
    ShortCut shortCut_;
    bool enabled_;
    bool checked_;
    int id_;
    HMENU parentMenu_ = nullptr;
    std::vector<MenuItem*> items_;
    friend class Menu;
};

class Menu : public Component {
public:
    HMENU Handle() const { return menu_.Get(); }
    const std::vector<MenuItem*>& Items() const { return items_; }
    void Add(MenuItem& item) { items_.push_back(&item); }
    void Build();
    std::vector<ACCEL> Accelerators() const;

protected:
    Menu(Form& owner, const LayoutEntry& entry, HMENU menu);

private:
    MenuHandle menu_;
    std::vector<MenuItem*> items_;
};

class MainMenu : public Menu {
public:
    MainMenu(Form& owner, const LayoutEntry& entry);
};

class PopupMenu : public Menu {
public:
    PopupMenu(Form& owner, const LayoutEntry& entry);
    // Shows the menu at a screen position; the chosen item's OnClick runs afterwards.
    void Popup(int x, int y);
};

}  // namespace platform

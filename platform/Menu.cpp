#include "Menu.h"

#include "Form.h"
#include "Layout.h"

namespace platform {

namespace {

constexpr ShortCut kShift = 0x2000;
constexpr ShortCut kCtrl = 0x4000;
constexpr ShortCut kAlt = 0x8000;

std::string KeyName(BYTE key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
    switch (key) {
        case VK_DELETE: return "Entf";
        case VK_INSERT: return "Einfg";
        case VK_RETURN: return "Eingabe";
        case VK_ESCAPE: return "Esc";
        default: return "#" + std::to_string(key);
    }
}

}  // namespace

std::string ShortCutToText(ShortCut shortCut) {
    if (shortCut == 0) return {};
    std::string text;
    if (shortCut & kShift) text += "Umsch+";
    if (shortCut & kCtrl) text += "Strg+";
    if (shortCut & kAlt) text += "Alt+";
    return text + KeyName(static_cast<BYTE>(shortCut & 0xFF));
}

ACCEL ShortCutToAccel(ShortCut shortCut, WORD command) {
    ACCEL accel{};
    accel.fVirt = FVIRTKEY;
    if (shortCut & kShift) accel.fVirt |= FSHIFT;
    if (shortCut & kCtrl) accel.fVirt |= FCONTROL;
    if (shortCut & kAlt) accel.fVirt |= FALT;
    accel.key = static_cast<WORD>(shortCut & 0xFF);
    accel.cmd = command;
    return accel;
}

// ---- MenuItem ------------------------------------------------------------

MenuItem::MenuItem(Form& owner, const LayoutEntry& entry)
    : Component(owner, entry),
      caption_(entry.Text("Caption")),
      shortCut_(static_cast<ShortCut>(entry.Int("ShortCut", 0))),
      enabled_(entry.Bool("Enabled", true)),
      checked_(entry.Bool("Checked", false)),
      id_(owner.NewCommandId(*this)) {}

void MenuItem::Resolve(const LayoutEntry& entry) {
    Component* parent = Owner().FindComponent(entry.Text("Parent"));
    if (auto* menu = dynamic_cast<Menu*>(parent))
        menu->Add(*this);
    else if (auto* item = dynamic_cast<MenuItem*>(parent))
        item->items_.push_back(this);
    else
        throw Error("Menu item " + Name() + " has no menu");
}

void MenuItem::SetEnabled(bool enabled) {
    enabled_ = enabled;
    UpdateState();
}

void MenuItem::SetChecked(bool checked) {
    checked_ = checked;
    UpdateState();
}

void MenuItem::Click() {
    if (enabled_ && OnClick) OnClick();
}

void MenuItem::HandleCommand(WORD /*notification*/) { Click(); }

void MenuItem::AppendTo(HMENU menu) {
    parentMenu_ = menu;
    if (!items_.empty()) {
        HMENU submenu = ::CreatePopupMenu();  // owned by the menu it is appended to
        for (MenuItem* item : items_) item->AppendTo(submenu);
        ::AppendMenuA(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu), caption_.c_str());
        return;
    }
    std::string text = caption_;
    if (shortCut_) text += "\t" + ShortCutToText(shortCut_);
    ::AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(id_), text.c_str());
    UpdateState();
}

void MenuItem::CollectAccelerators(std::vector<ACCEL>& table) const {
    if (shortCut_) table.push_back(ShortCutToAccel(shortCut_, static_cast<WORD>(id_)));
    for (const MenuItem* item : items_) item->CollectAccelerators(table);
}

void MenuItem::UpdateState() {
    if (!parentMenu_ || !items_.empty()) return;
    ::EnableMenuItem(parentMenu_, static_cast<UINT>(id_), MF_BYCOMMAND | (enabled_ ? MF_ENABLED : MF_GRAYED));
    ::CheckMenuItem(parentMenu_, static_cast<UINT>(id_), MF_BYCOMMAND | (checked_ ? MF_CHECKED : MF_UNCHECKED));
}

// ---- Menu ----------------------------------------------------------------

Menu::Menu(Form& owner, const LayoutEntry& entry, HMENU menu) : Component(owner, entry), menu_(menu) {}

void Menu::Build() {
    for (MenuItem* item : items_) item->AppendTo(menu_.Get());
}

std::vector<ACCEL> Menu::Accelerators() const {
    std::vector<ACCEL> table;
    for (const MenuItem* item : items_) item->CollectAccelerators(table);
    return table;
}

MainMenu::MainMenu(Form& owner, const LayoutEntry& entry) : Menu(owner, entry, ::CreateMenu()) {}

PopupMenu::PopupMenu(Form& owner, const LayoutEntry& entry) : Menu(owner, entry, ::CreatePopupMenu()) {}

void PopupMenu::Popup(int x, int y) {
    // The chosen item arrives as WM_COMMAND, like a main menu item.
    ::TrackPopupMenu(Handle(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, Owner().Handle(), nullptr);
}

}  // namespace platform

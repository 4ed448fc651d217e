#include "Form.h"

#include <windowsx.h>

#include <algorithm>
#include <tuple>

#include "Application.h"
#include "Controls.h"
#include "FindDialog.h"
#include "Layout.h"
#include "Menu.h"
#include "Resources.h"
#include "RichEdit.h"
#include "Text.h"
#include "TextView.h"
#include "Timer.h"

namespace platform {

void Form::RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = &Form::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = ::LoadIconA(instance, "MAINICON");
    windowClass.hIconSm = static_cast<HICON>(::LoadImageA(instance, "MAINICON", IMAGE_ICON, 16, 16, 0));
    windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    if (!::RegisterClassExA(&windowClass)) throw Error("Cannot register the window class");
}

Form::Form(Application& app, const std::string& layoutName) : app_(app), name_(layoutName) {
    const auto entries = ParseLayout(Utf8ToWindows1252(LoadResourceData(app.Instance(), layoutName)));
    if (entries.empty() || entries.front().Kind() != "Form") throw Error("Layout " + layoutName + " has no Form line");
    CreateWindowFrom(entries.front());
    CreateComponents(entries);
    ApplyTabOrder();
    BuildMenus();
}

Form::~Form() {
    // The components go first (timers and dialogs still need the window), then
    // the window itself, which must not take the menu bar with it.
    if (hwnd_) ::SetMenu(hwnd_, nullptr);
    components_.clear();
    if (hwnd_) {
        ::SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd_);
    }
}

void Form::CreateWindowFrom(const LayoutEntry& entry) {
    font_.Reset(::CreateFontA(-entry.Int("FontHeight", 11), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                              entry.Text("FontName", "MS Sans Serif").c_str()));
    centerOverMainForm_ = entry.Text("Position") == "MainFormCenter";
    menuName_ = entry.Text("Menu");
    isMainForm_ = app_.MainForm() == nullptr;
    // The main window has the taskbar entry; the others belong to the application.
    const HWND owner = isMainForm_ ? nullptr : app_.OwnerWindow();
    const DWORD exStyle = WS_EX_CONTROLPARENT | (isMainForm_ ? WS_EX_APPWINDOW : 0);
    ::CreateWindowExA(exStyle, kWindowClass, entry.Text("Caption").c_str(), WS_OVERLAPPEDWINDOW,
                      entry.Int("Left"), entry.Int("Top"), entry.Int("Width"), entry.Int("Height"), owner, nullptr,
                      app_.Instance(), this);
    if (!hwnd_) throw Error("Cannot create the window " + name_);
}

std::unique_ptr<Component> Form::CreateComponent(const LayoutEntry& entry) {
    const std::string& kind = entry.Kind();
    if (kind == "Button") return std::make_unique<Button>(*this, entry);
    if (kind == "RichEdit") return std::make_unique<RichEdit>(*this, entry);
    if (kind == "TextView") return std::make_unique<TextView>(*this, entry);
    if (kind == "Edit") return std::make_unique<Edit>(*this, entry);
    if (kind == "GroupBox") return std::make_unique<GroupBox>(*this, entry);
    if (kind == "Label") return std::make_unique<Label>(*this, entry);
    if (kind == "Image") return std::make_unique<Image>(*this, entry);
    if (kind == "Timer") return std::make_unique<Timer>(*this, entry);
    if (kind == "MainMenu") return std::make_unique<MainMenu>(*this, entry);
    if (kind == "PopupMenu") return std::make_unique<PopupMenu>(*this, entry);
    if (kind == "MenuItem") return std::make_unique<MenuItem>(*this, entry);
    if (kind == "FindDialog") return std::make_unique<FindDialog>(*this, entry);
    throw Error("Layout " + name_ + ": unknown kind " + kind);
}

void Form::CreateComponents(const std::vector<LayoutEntry>& entries) {
    for (size_t i = 1; i < entries.size(); ++i) {
        if (FindComponent(entries[i].Name())) throw Error("Layout " + name_ + ": " + entries[i].Name() + " twice");
        components_.push_back(CreateComponent(entries[i]));
    }
    // References by name (menus, context menus) may point forward in the file.
    for (size_t i = 1; i < entries.size(); ++i) components_[i - 1]->Resolve(entries[i]);
}

void Form::ApplyTabOrder() {
    // Tab order follows the window order: sort the controls by their parent's
    // place, then by their own within it.
    struct Place {
        int outer, inner;
        Control* control;
    };
    std::vector<Place> places;
    for (auto& component : components_) {
        auto* control = dynamic_cast<Control*>(component.get());
        if (!control) continue;
        const Control* parent = control->LayoutParent();
        places.push_back(parent ? Place{parent->TabOrder(), control->TabOrder(), control}
                                : Place{control->TabOrder(), -1, control});
    }
    std::stable_sort(places.begin(), places.end(), [](const Place& a, const Place& b) {
        return std::tie(a.outer, a.inner) < std::tie(b.outer, b.inner);
    });
    HWND previous = HWND_TOP;
    for (const Place& place : places) {
        ::SetWindowPos(place.control->Handle(), previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = place.control->Handle();
    }
    // A group box paints over what lies beneath it; keep it beneath its contents.
    // It takes no focus, so the tab order of the others stays as it is.
    for (const Place& place : places)
        if (dynamic_cast<GroupBox*>(place.control))
            ::SetWindowPos(place.control->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form::BuildMenus() {
    for (auto& component : components_)
        if (auto* menu = dynamic_cast<Menu*>(component.get())) menu->Build();
    if (menuName_.empty()) return;
    auto& mainMenu = Get<MainMenu>(menuName_);
    ::SetMenu(hwnd_, mainMenu.Handle());
    auto table = mainMenu.Accelerators();
    if (!table.empty()) accelerators_.Reset(::CreateAcceleratorTableA(table.data(), static_cast<int>(table.size())));
}

int Form::NewCommandId(Component& target) {
    const int id = nextCommandId_++;
    commandTargets_[id] = &target;
    return id;
}

void Form::HookMessage(UINT message, std::function<LRESULT(WPARAM, LPARAM)> handler) {
    messageHooks_[message] = std::move(handler);
}

Component* Form::FindComponent(const std::string& name) const {
    for (auto& component : components_)
        if (component->Name() == name) return component.get();
    return nullptr;
}

Control* Form::FindControl(HWND hwnd) const {
    for (auto& component : components_) {
        auto* control = dynamic_cast<Control*>(component.get());
        if (control && control->Handle() == hwnd) return control;
    }
    return nullptr;
}

void Form::Created() {
    if (OnCreate) OnCreate();
    // The layout rule applies from the first sizing on, as for a window just made.
    if (OnResize) OnResize();
}

// ---- window properties -----------------------------------------------------

std::string Form::Caption() const { return WindowText(hwnd_); }

void Form::SetCaption(const std::string& caption) { ::SetWindowTextA(hwnd_, caption.c_str()); }

namespace {
RECT WindowRect(HWND hwnd) {
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    return rect;
}
}  // namespace

int Form::Left() const { return WindowRect(hwnd_).left; }
int Form::Top() const { return WindowRect(hwnd_).top; }
int Form::Width() const {
    const RECT r = WindowRect(hwnd_);
    return r.right - r.left;
}
int Form::Height() const {
    const RECT r = WindowRect(hwnd_);
    return r.bottom - r.top;
}

void Form::SetBounds(int left, int top, int width, int height) {
    if (left == Left() && top == Top() && width == Width() && height == Height()) return;
    ::SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Form::Visible() const { return ::IsWindowVisible(hwnd_) != FALSE; }

void Form::SetVisible(bool visible) {
    if (!visible) {
        ::ShowWindow(hwnd_, SW_HIDE);
        return;
    }
    if (Visible()) {
        ::SetForegroundWindow(hwnd_);
        return;
    }
    if (centerOverMainForm_) CenterOverMainForm();
    ::ShowWindow(hwnd_, SW_SHOW);
    ::SetForegroundWindow(hwnd_);
}

void Form::Close() {
    if (isMainForm_)
        app_.Terminate();
    else
        Hide();
}

void Form::SetStayOnTop(bool stayOnTop) {
    ::SetWindowPos(hwnd_, stayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool Form::StayOnTop() const { return (::GetWindowLongA(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

void Form::CenterOverMainForm() {
    const Form* main = app_.MainForm();
    if (!main || main == this) return;
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int left = main->Left() + (main->Width() - Width()) / 2;
    int top = main->Top() + (main->Height() - Height()) / 2;
    // Keep the window on the screen even when the main window is near an edge.
    left = std::max<int>(work.left, std::min<int>(left, work.right - Width()));
    top = std::max<int>(work.top, std::min<int>(top, work.bottom - Height()));
    ::SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
}

// ---- messages -------------------------------------------------------------

bool Form::PreTranslateMessage(MSG& msg) {
    if (accelerators_ && ::TranslateAcceleratorA(hwnd_, accelerators_.Get(), &msg)) return true;
    if (msg.message == WM_KEYDOWN || msg.message == WM_CHAR) {
        if (Control* control = FindControl(msg.hwnd); control && control->PreTranslateKey(msg)) return true;
    }
    return ::IsDialogMessageA(hwnd_, &msg) != FALSE;
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Form* form = nullptr;
    if (message == WM_NCCREATE) {
        form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        form->hwnd_ = hwnd;
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    } else {
        form = reinterpret_cast<Form*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!form) return ::DefWindowProcA(hwnd, message, wParam, lParam);
    // An exception must never unwind through the system's code.
    try {
        return form->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        form->app_.HandleException(error);
    } catch (...) {
        form->app_.HandleException(Error("Unexpected error"));
    }
    return 0;
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_TIMER:
            OnCommand(static_cast<WORD>(wParam), 0);
            return 0;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED && OnResize) OnResize();
            return 0;
        case WM_SHOWWINDOW:
            if (wParam && lParam == 0 && OnShow) OnShow();
            break;
        case WM_CLOSE:
            Close();
            return 0;
        case WM_CONTEXTMENU:
            if (Control* control = FindControl(reinterpret_cast<HWND>(wParam)); control && control->ContextMenu()) {
                OnContextMenu(control->Handle(), lParam);
                return 0;
            }
            break;
        case WM_ACTIVATE:
            // Remember the focused control, so that coming back (also from a modal
            // box) puts the focus where the user left it.
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = ::GetFocus();
                if (focus && ::IsChild(hwnd_, focus)) focusedControl_ = focus;
            }
            break;
        case WM_SETFOCUS: {
            // The focus comes to the window itself on activation (and from the
            // window system at other times): hand it on to the control that had
            // it last, which may be the one just losing it.
            const auto usable = [this](HWND control) {
                return control && ::IsWindow(control) && ::IsChild(hwnd_, control) && ::IsWindowVisible(control) &&
                       ::IsWindowEnabled(control);
            };
            HWND target = reinterpret_cast<HWND>(wParam);
            if (!usable(target)) target = focusedControl_;
            if (!usable(target)) target = ::GetNextDlgTabItem(hwnd_, nullptr, FALSE);
            if (usable(target)) {
                ::SetFocus(target);
                return 0;
            }
            break;
        }
        case WM_DRAWITEM:
            if (auto* image = dynamic_cast<Image*>(FindControl(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem))) {
                image->Draw(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
                return TRUE;
            }
            break;
        default:
            if (auto hook = messageHooks_.find(message); hook != messageHooks_.end())
                return hook->second(wParam, lParam);
            break;
    }
    return ::DefWindowProcA(hwnd_, message, wParam, lParam);
}

void Form::OnCommand(WORD id, WORD notification) {
    if (auto target = commandTargets_.find(id); target != commandTargets_.end())
        target->second->HandleCommand(notification);
}

void Form::OnContextMenu(HWND target, LPARAM position) {
    Control* control = FindControl(target);
    int x = GET_X_LPARAM(position);
    int y = GET_Y_LPARAM(position);
    if (position == -1) {  // from the keyboard: open at the control's corner
        POINT corner{2, 2};
        ::ClientToScreen(target, &corner);
        x = corner.x;
        y = corner.y;
    }
    control->ContextMenu()->Popup(x, y);
}

}  // namespace platform

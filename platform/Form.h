// The base of every window of the program: a top-level window whose controls,
// menus and other components are created from a layout embedded in the program.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Errors.h"
#include "Handles.h"

namespace platform {

class Application;
class Component;
class Control;
class LayoutEntry;

class Form {
public:
    // layoutName names the RCDATA resource holding the layout text (UTF-8).
    Form(Application& app, const std::string& layoutName);
    virtual ~Form();
    Form(const Form&) = delete;

    static constexpr const char* kWindowClass = "PlatformForm";
    // Once per program, before the first form.
    static void RegisterWindowClass(HINSTANCE instance);
    Form& operator=(const Form&) = delete;

    HWND Handle() const { return hwnd_; }
    Application& App() const { return app_; }
    const std::string& Name() const { return name_; }

    // The component of that name from the layout, as the given kind.
    template <class T>
    T& Get(const std::string& name) const {
        auto* found = dynamic_cast<T*>(FindComponent(name));
        if (!found) throw Error("Layout of " + name_ + " lacks " + name);
        return *found;
    }

    std::string Caption() const;
    void SetCaption(const std::string& caption);

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetBounds(int left, int top, int width, int height);
    void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

    bool Visible() const;
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // As the close box does: the main window ends the program, the others hide.
    void Close();

    // Keeps the window above all windows of other programs (or not).
    void SetStayOnTop(bool stayOnTop);
    bool StayOnTop() const;

    std::function<void()> OnCreate;
    std::function<void()> OnShow;
    std::function<void()> OnResize;

    // Called by the application once the derived form has bound its handlers.
    void Created();
    // Accelerators, keys for the focused control, dialog navigation.
    bool PreTranslateMessage(MSG& msg);

    // For the components of this form.
    HFONT Font() const { return static_cast<HFONT>(font_.Get()); }
    // A command id whose WM_COMMAND messages reach target.HandleCommand.
    int NewCommandId(Component& target);
    void HookMessage(UINT message, std::function<LRESULT(WPARAM, LPARAM)> handler);
    Component* FindComponent(const std::string& name) const;
    Control* FindControl(HWND hwnd) const;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateWindowFrom(const LayoutEntry& entry);
    void CreateComponents(const std::vector<LayoutEntry>& entries);
    std::unique_ptr<Component> CreateComponent(const LayoutEntry& entry);
    void ApplyTabOrder();
    void BuildMenus();
    void OnCommand(WORD id, WORD notification);
    void OnContextMenu(HWND target, LPARAM position);
    void CenterOverMainForm();

    Application& app_;
    std::string name_;
    HWND hwnd_ = nullptr;
    GdiObject font_;
    bool centerOverMainForm_ = false;
    bool isMainForm_ = false;
    std::string menuName_;
    std::vector<std::unique_ptr<Component>> components_;
    std::map<UINT, std::function<LRESULT(WPARAM, LPARAM)>> messageHooks_;
    AcceleratorTable accelerators_;
    HWND focusedControl_ = nullptr;
    std::map<int, Component*> commandTargets_;
    int nextCommandId_ = 100;
};

}  // namespace platform

// The windowed controls the forms are made of, each a thin object over its HWND.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "Component.h"
#include "Handles.h"

namespace platform {

class PopupMenu;

// The text of any window (caption of a form, text of a control).
std::string WindowText(HWND window);

class Control : public Component {
public:
    HWND Handle() const { return hwnd_; }
    int Id() const { return id_; }

    // Position relative to the control's layout parent (the form or a group box).
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
    void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
    void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
    void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }

    bool Visible() const;
    void SetVisible(bool visible);
    bool Enabled() const;
    void SetEnabled(bool enabled);
    bool Focused() const;
    void SetFocus();
    void Repaint();

    std::string Caption() const;
    void SetCaption(const std::string& caption);

    int TabOrder() const { return tabOrder_; }
    // The group box the layout placed this control in, if any.
    const Control* LayoutParent() const { return layoutParent_; }
    PopupMenu* ContextMenu() const { return contextMenu_; }

    // Lets the control act on a queued keyboard message before the dialog
    // navigation sees it; true when the message has been dealt with.
    virtual bool PreTranslateKey(MSG& /*msg*/) { return false; }

    void Resolve(const LayoutEntry& entry) override;

protected:
    Control(Form& owner, const LayoutEntry& entry, const char* windowClass, DWORD style, DWORD exStyle = 0);

private:
    HWND hwnd_ = nullptr;
    int id_ = 0;
    int tabOrder_ = 0;
    POINT parentOrigin_{};
    const Control* layoutParent_ = nullptr;
    PopupMenu* contextMenu_ = nullptr;
};

class Button : public Control {
public:
    Button(Form& owner, const LayoutEntry& entry);
    std::function<void()> OnClick;

    // Presses the button as the user would: nothing happens while it is hidden or disabled.
    void Click();
    void HandleCommand(WORD notification) override;
    bool PreTranslateKey(MSG& msg) override;
};

class GroupBox : public Control {
public:
    GroupBox(Form& owner, const LayoutEntry& entry);
};

class Label : public Control {
public:
    Label(Form& owner, const LayoutEntry& entry);
    // A label with AutoSize takes the width of its text on every caption change.
    void SetCaption(const std::string& caption);

private:
    void FitToText();
    bool autoSize_;
};

class Edit : public Control {
public:
    Edit(Form& owner, const LayoutEntry& entry);
    std::function<void()> OnChange;
    // Called for each character typed; setting key to 0 swallows it.
    std::function<void(char& key)> OnKeyPress;

    std::string Text() const { return Caption(); }
    // Raises OnChange, as a change by the user does.
    void SetText(const std::string& text);

    void HandleCommand(WORD notification) override;
    bool PreTranslateKey(MSG& msg) override;

private:
    bool settingText_ = false;
};

// A picture from an embedded JPEG (or any format the system's picture loader knows),
// drawn at the control's top left corner in its own size.
class Image : public Control {
public:
    Image(Form& owner, const LayoutEntry& entry);
    void Draw(const DRAWITEMSTRUCT& item) const;
    SIZE PictureSize() const { return pictureSize_; }

private:
    GdiObject bitmap_;
    SIZE pictureSize_{};
};

}  // namespace platform

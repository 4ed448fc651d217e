// The application object: owns the forms, runs the message loop, shows the
// program's message boxes and its default error display.
#pragma once

#include <windows.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "Form.h"
#include "Handles.h"

namespace platform {

// The application's title for an executable: its file name without folder and
// without everything from the first full stop on, all but the first character
// in lower case ("C:\\Programme\\SITZBLICK.EXE" gives "Sitzblick").
std::string ApplicationTitle(const std::string& executablePath);

class Application {
public:
    explicit Application(HINSTANCE instance = ::GetModuleHandleA(nullptr));
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    HINSTANCE Instance() const { return instance_; }
    // The executable's name without folder and extension, all but its first
    // character in lower case ("SITZBLICK.EXE" gives "Sitzblick").
    const std::string& Title() const { return title_; }

    // Creates a form of class F, stores it in reference and raises its OnCreate.
    // The first form created is the main form.
    template <class F>
    F& CreateForm(F*& reference) {
        auto form = std::make_unique<F>(*this);
        reference = form.get();
        forms_.push_back(std::move(form));
        reference->Created();
        return *reference;
    }
    Form* MainForm() const { return forms_.empty() ? nullptr : forms_.front().get(); }

    // Shows the main form and runs the message loop until the program ends.
    int Run();
    // Handles the messages waiting now, without blocking.
    void ProcessMessages();
    void Terminate();
    bool Terminated() const { return terminated_; }

    // The system message box, modal for all windows of the program; returns the button.
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);
    // A modal message with an OK button and no icon, titled with Title(), centred on the screen.
    void ShowMessage(const std::string& text);
    // The default error display: the error's text with a full stop, error icon, Title().
    void HandleException(const std::exception& error) noexcept;

    // Modeless dialogs whose keyboard navigation the loop must serve.
    void AddModelessDialog(HWND dialog);
    void RemoveModelessDialog(HWND dialog);

    // Loads RICHED32.DLL once, before the first "RICHEDIT" window is made.
    void LoadRichEditLibrary();
    HWND OwnerWindow() const { return owner_; }

private:
    void HandleMessage(MSG& msg);
    void Dispatch(MSG& msg);

    HINSTANCE instance_;
    HWND owner_ = nullptr;
    std::string title_;
    std::vector<std::unique_ptr<Form>> forms_;
    std::vector<HWND> modelessDialogs_;
    Library richEdit_;
    bool terminated_ = false;
    int exitCode_ = 0;
};

}  // namespace platform

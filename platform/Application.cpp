#include "Application.h"

#include <commctrl.h>

#include <algorithm>

#include "Text.h"

namespace platform {

namespace {

std::string TitleFromModuleName(HINSTANCE instance) {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(instance, path, MAX_PATH);
    return ApplicationTitle(path);
}

// Disables the program's enabled top-level windows while a modal box is up,
// and enables them again afterwards.
class TaskWindowsDisabled {
public:
    TaskWindowsDisabled() {
        ::EnumThreadWindows(::GetCurrentThreadId(), &Collect, reinterpret_cast<LPARAM>(this));
        for (HWND window : disabled_) ::EnableWindow(window, FALSE);
    }
    ~TaskWindowsDisabled() {
        for (HWND window : disabled_)
            if (::IsWindow(window)) ::EnableWindow(window, TRUE);
    }
    TaskWindowsDisabled(const TaskWindowsDisabled&) = delete;
    TaskWindowsDisabled& operator=(const TaskWindowsDisabled&) = delete;

private:
    static BOOL CALLBACK Collect(HWND window, LPARAM self) {
        if (::IsWindowVisible(window) && ::IsWindowEnabled(window))
            reinterpret_cast<TaskWindowsDisabled*>(self)->disabled_.push_back(window);
        return TRUE;
    }
    std::vector<HWND> disabled_;
};

}  // namespace

std::string ApplicationTitle(const std::string& executablePath) {
    std::string name = executablePath;
    const size_t slash = name.find_last_of("\\/:");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const size_t dot = name.find('.');
    if (dot != std::string::npos) name.erase(dot);
    if (name.size() > 1) name = name.substr(0, 1) + Lower(name.substr(1));
    return name;
}

Application::Application(HINSTANCE instance) : instance_(instance), title_(TitleFromModuleName(instance)) {
    // With the manifest's common controls 6 the standard controls need this first.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    Form::RegisterWindowClass(instance_);
    // Owner of the auxiliary windows, so that only the main window has a taskbar entry.
    owner_ = ::CreateWindowExA(0, "STATIC", title_.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance_, nullptr);
}

Application::~Application() {
    // Later forms may refer to earlier ones; tear down in reverse order.
    while (!forms_.empty()) forms_.pop_back();
    if (owner_) ::DestroyWindow(owner_);
    ::UnregisterClassA(Form::kWindowClass, instance_);
}

int Application::Run() {
    if (Form* main = MainForm()) main->Show();
    MSG msg;
    while (!terminated_) {
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            terminated_ = true;
            exitCode_ = static_cast<int>(msg.wParam);
            break;
        }
        HandleMessage(msg);
    }
    return exitCode_;
}

void Application::ProcessMessages() {
    MSG msg;
    while (!terminated_ && ::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            exitCode_ = static_cast<int>(msg.wParam);
            break;
        }
        HandleMessage(msg);
    }
}

void Application::HandleMessage(MSG& msg) {
    // Keys can run handlers straight from the loop: their errors are shown here.
    try {
        Dispatch(msg);
    } catch (const std::exception& error) {
        HandleException(error);
    }
}

void Application::Dispatch(MSG& msg) {
    const HWND root = msg.hwnd ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    for (auto& form : forms_) {
        if (form->Handle() == root) {
            if (form->PreTranslateMessage(msg)) return;
            break;
        }
    }
    // The dialog may close itself while it handles the message (and leave the list).
    if (std::find(modelessDialogs_.begin(), modelessDialogs_.end(), root) != modelessDialogs_.end() &&
        ::IsDialogMessageA(root, &msg))
        return;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
}

void Application::Terminate() {
    if (Form* main = MainForm()) main->Hide();
    ::PostQuitMessage(0);
}

int Application::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    HWND owner = ::GetActiveWindow();
    if (!owner && MainForm()) owner = MainForm()->Handle();
    TaskWindowsDisabled modal;
    return ::MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

void Application::ShowMessage(const std::string& text) {
    // The system centres a box on the screen, with an owner or without. Owned by
    // the main window, it stays above it when that one is always on top: behind
    // it, with every window of the program disabled, the program would look frozen.
    TaskWindowsDisabled modal;
    const HWND previous = ::GetActiveWindow();
    ::MessageBoxA(MainForm() ? MainForm()->Handle() : nullptr, text.c_str(), title_.c_str(), MB_OK);
    if (previous && ::IsWindow(previous)) ::SetActiveWindow(previous);
}

void Application::HandleException(const std::exception& error) noexcept {
    try {
        std::string text = error.what();
        if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
        MessageBox(text, title_, MB_OK | MB_ICONERROR);
    } catch (...) {
        // Nothing more can be shown; the program stays alive.
    }
}

void Application::AddModelessDialog(HWND dialog) {
    if (std::find(modelessDialogs_.begin(), modelessDialogs_.end(), dialog) == modelessDialogs_.end())
        modelessDialogs_.push_back(dialog);
}

void Application::RemoveModelessDialog(HWND dialog) {
    modelessDialogs_.erase(std::remove(modelessDialogs_.begin(), modelessDialogs_.end(), dialog),
                           modelessDialogs_.end());
}

void Application::LoadRichEditLibrary() {
    if (!richEdit_) {
        richEdit_.Reset(::LoadLibraryA("RICHED32.DLL"));
        if (!richEdit_) throw Error("Cannot load RICHED32.DLL");
    }
}

}  // namespace platform

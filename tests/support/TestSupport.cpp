#include "TestSupport.h"

#include "Controls.h"
#include "FileIO.h"

#include <chrono>
#include <vector>

namespace testing_support {

namespace {

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            const std::string child = path + "\\" + name;
            ::SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                ::DeleteFileA(child.c_str());
        } while (::FindNextFileA(find, &data));
        ::FindClose(find);
    }
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryA(path.c_str());
}

std::string CurrentDirectory() {
    char buffer[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, buffer);
    return buffer;
}

}  // namespace

TempDir::TempDir() : previous_(CurrentDirectory()) {
    char base[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
        path_ = std::string(base) + "sbtest" + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++counter);
        if (::CreateDirectoryA(path_.c_str(), nullptr)) break;
    }
    ::SetCurrentDirectoryA(path_.c_str());
    path_ = CurrentDirectory();  // as the system spells it
}

TempDir::~TempDir() {
    ::SetCurrentDirectoryA(previous_.c_str());
    RemoveTree(path_);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

std::string ReadBytes(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "<missing>";
    std::string bytes(::GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    ::CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

bool Exists(const std::string& path) { return platform::PathExists(path); }

bool PumpUntil(platform::Application& app, const std::function<bool()>& pred, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!pred()) {
        if (std::chrono::steady_clock::now() > deadline) return pred();
        app.ProcessMessages();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

void PumpFor(platform::Application& app, int milliseconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    PumpUntil(app, [&] { return std::chrono::steady_clock::now() > deadline; }, milliseconds + 1000);
}

// ---- ModalAnswerer -----------------------------------------------------------

namespace {

struct BoxSearch {
    DWORD process;
    HWND found = nullptr;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<BoxSearch*>(param);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    // A dialog of this process, but not one with a text field (the Find dialog).
    if (process == search.process && std::string(className) == "#32770" && ::IsWindowVisible(window) &&
        !::FindWindowExA(window, nullptr, "Edit", nullptr)) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

struct ChildScan {
    std::string text;
    bool icon = false;
};

BOOL CALLBACK ScanChild(HWND child, LPARAM param) {
    auto& scan = *reinterpret_cast<ChildScan*>(param);
    char className[64] = {};
    ::GetClassNameA(child, className, sizeof className);
    if (std::string(className) != "Static") return TRUE;
    if (::GetWindowLongA(child, GWL_STYLE) & SS_ICON) {
        if (::IsWindowVisible(child) && ::SendMessageA(child, STM_GETICON, 0, 0)) scan.icon = true;
        return TRUE;
    }
    const std::string text = platform::WindowText(child);
    if (text.size() > scan.text.size()) scan.text = text;
    return TRUE;
}

}  // namespace

ModalAnswerer::ModalAnswerer(std::vector<int> buttonIds, int timeoutMs)
    : thread_([this, buttonIds, timeoutMs] {
          Run(buttonIds, timeoutMs);
          finished_ = true;
      }) {}

ModalAnswerer::~ModalAnswerer() { Answered(); }

void ModalAnswerer::Run(std::vector<int> buttonIds, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    HWND previous = nullptr;
    for (int buttonId : buttonIds) {
        BoxSearch search{::GetCurrentProcessId()};
        while (std::chrono::steady_clock::now() < deadline) {
            search.found = nullptr;
            if (!previous || !::IsWindow(previous)) ::EnumWindows(&FindBox, reinterpret_cast<LPARAM>(&search));
            if (search.found) break;
            ::Sleep(20);
        }
        if (!search.found) return;
        ::Sleep(50);  // let the box finish its set-up
        Box box;
        char caption[256] = {};
        ::GetWindowTextA(search.found, caption, sizeof caption);
        box.caption = caption;
        ChildScan scan;
        ::EnumChildWindows(search.found, &ScanChild, reinterpret_cast<LPARAM>(&scan));
        box.text = scan.text;
        box.icon = scan.icon;
        ::GetWindowRect(search.found, &box.rect);
        for (HWND above = ::GetWindow(search.found, GW_HWNDPREV); above; above = ::GetWindow(above, GW_HWNDPREV))
            if (::IsWindowVisible(above)) box.windowsAbove.push_back(above);
        boxes_.push_back(box);
        HWND button = ::GetDlgItem(search.found, buttonId);
        if (!button) return;
        ::SendMessageA(button, BM_CLICK, 0, 0);
        previous = search.found;
    }
    answered_ = true;
}

bool ModalAnswerer::Answered() {
    // The answering thread reads the texts of this thread's windows: keep
    // serving its messages while waiting for it.
    while (!finished_) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    if (thread_.joinable()) thread_.join();
    return answered_;
}

// ---- clipboard and keys ------------------------------------------------------------

std::string ClipboardText() {
    if (!::OpenClipboard(nullptr)) return "<locked>";
    std::string text = "<none>";
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const char* chars = static_cast<const char*>(::GlobalLock(data))) {
            text = chars;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

void SetClipboardText(const std::string& text) {
    if (!::OpenClipboard(nullptr)) return;
    ::EmptyClipboard();
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(::GlobalLock(memory), text.c_str(), text.size() + 1);
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_TEXT, memory);
    ::CloseClipboard();
}

void PressKey(platform::Application& app, UINT key, bool ctrl, bool shift) {
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    state[VK_LCONTROL] = ctrl ? 0x80 : 0;
    state[VK_SHIFT] = shift ? 0x80 : 0;
    state[VK_LSHIFT] = shift ? 0x80 : 0;
    ::SetKeyboardState(state);
    HWND target = ::GetFocus();
    ::PostMessageA(target, WM_KEYDOWN, key, 1);
    ::PostMessageA(target, WM_KEYUP, key, 0xC0000001);
    app.ProcessMessages();
    state[VK_CONTROL] = state[VK_LCONTROL] = state[VK_SHIFT] = state[VK_LSHIFT] = 0;
    ::SetKeyboardState(state);
    app.ProcessMessages();
}

}  // namespace testing_support

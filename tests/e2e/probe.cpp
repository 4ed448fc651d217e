// Looks at the program's windows from a second process, for the end-to-end tests:
//   probe wait TITLE [SECONDS]      wait until a visible window whose title starts with TITLE exists
//   probe gone TITLE [SECONDS]      wait until no such window exists
//   probe text TITLE CLASS          print the text of its first child of window class CLASS
//   probe topmost TITLE             print 1 when the window is always-on-top, else 0
//   probe click TITLE ID            press the button with that control id in the window
//   probe activate TITLE            make the window the foreground window
//   probe foreground                print the title of the foreground window
//   probe focused TITLE             print the class and text of the window's focused control
//   probe close TITLE               ask the window to close (WM_CLOSE)
//   probe clipboard                 print the clipboard's text
//   probe metric INDEX              print the system metric (GetSystemMetrics)
//   probe selection TITLE CLASS     print the selection of that child as "start end" (EM_GETSEL)
//   probe firstline TITLE CLASS     print the first line the child shows (EM_GETFIRSTVISIBLELINE)
//   probe rect TITLE CLASS          print the child's place on the screen as "left top right bottom"
//   probe pos TITLE CLASS INDEX     print where the child shows that character, on the screen (EM_POSFROMCHAR)
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Search {
    std::string prefix;
    HWND found = nullptr;
};

BOOL CALLBACK Match(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<Search*>(param);
    char title[512] = {};
    ::GetWindowTextA(window, title, sizeof title);
    if (::IsWindowVisible(window) && std::string(title).rfind(search.prefix, 0) == 0) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindTop(const std::string& prefix) {
    Search search{prefix};
    ::EnumWindows(&Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitFor(const std::string& prefix, double seconds, bool present) {
    for (int i = 0; i < static_cast<int>(seconds * 20); ++i) {
        HWND window = FindTop(prefix);
        if ((window != nullptr) == present) return window ? window : reinterpret_cast<HWND>(1);
        ::Sleep(50);
    }
    return nullptr;
}

std::string TextOf(HWND window) {
    const LRESULT length = ::SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(::SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    _setmode(_fileno(stdout), _O_BINARY);  // texts go out byte for byte
    _setmode(_fileno(stderr), _O_BINARY);
    const std::string command = argv[1];
    if (command == "clipboard") {
        if (!::OpenClipboard(nullptr)) return 1;
        HANDLE data = ::GetClipboardData(CF_TEXT);
        if (data) std::fputs(static_cast<const char*>(::GlobalLock(data)), stdout);
        if (data) ::GlobalUnlock(data);
        ::CloseClipboard();
        return data ? 0 : 1;
    }
    if (command == "metric" && argc > 2) {
        std::printf("%d\n", ::GetSystemMetrics(std::atoi(argv[2])));
        return 0;
    }
    if (command == "foreground") {
        char title[512] = {};
        ::GetWindowTextA(::GetForegroundWindow(), title, sizeof title);
        std::puts(title);
        return 0;
    }
    if (argc < 3) return 2;
    const std::string title = argv[2];
    if (command == "wait" || command == "gone") {
        const double seconds = argc > 3 ? std::atof(argv[3]) : 10.0;
        return WaitFor(title, seconds, command == "wait") ? 0 : 1;
    }
    HWND window = FindTop(title);
    if (!window) {
        std::fprintf(stderr, "probe: no window \"%s\"\n", title.c_str());
        return 1;
    }
    if ((command == "text" || command == "selection" || command == "firstline" || command == "rect" ||
         command == "pos") &&
        argc > 3) {
        HWND child = ::FindWindowExA(window, nullptr, argv[3], nullptr);
        if (!child) return 1;
        if (command == "text") {
            std::fputs(TextOf(child).c_str(), stdout);
        } else if (command == "selection") {
            DWORD start = 0, end = 0;
            ::SendMessageA(child, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            std::printf("%lu %lu\n", static_cast<unsigned long>(start), static_cast<unsigned long>(end));
        } else if (command == "firstline") {
            std::printf("%ld\n", static_cast<long>(::SendMessageA(child, EM_GETFIRSTVISIBLELINE, 0, 0)));
        } else if (command == "rect") {
            RECT rect{};
            ::GetWindowRect(child, &rect);
            std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
        } else {
            if (argc < 5) return 2;
            const LRESULT packed = ::SendMessageA(child, EM_POSFROMCHAR, std::atoi(argv[4]), 0);
            if (packed == -1) return 1;
            POINT point{static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))};
            ::ClientToScreen(child, &point);
            std::printf("%ld %ld\n", point.x, point.y);
        }
        return 0;
    }
    if (command == "focused") {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
        char className[64] = {};
        ::GetClassNameA(info.hwndFocus, className, sizeof className);
        std::printf("%s %s\n", className, info.hwndFocus ? TextOf(info.hwndFocus).substr(0, 40).c_str() : "");
        return 0;
    }
    if (command == "close") {
        ::PostMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    }
    if (command == "activate") {
        ::SetForegroundWindow(window);
        return ::GetForegroundWindow() == window ? 0 : 1;
    }
    if (command == "topmost") {
        std::puts((::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) ? "1" : "0");
        return 0;
    }
    if (command == "click" && argc > 3) {
        HWND button = ::GetDlgItem(window, std::atoi(argv[3]));
        if (!button) return 1;
        ::PostMessageA(button, BM_CLICK, 0, 0);
        return 0;
    }
    return 2;
}

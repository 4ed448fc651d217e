// Measures the program against floors taken in the same run and prints ratios:
//   reload      a full reload against streaming the same bytes into a bare rich edit,
//               and against reading the file whole (ReadFile)
//   append1K    a reload after 1 KB was appended, against reading the grown file
//   find        a find-next that finds nothing, against a bare EM_FINDTEXT
//   load        the time and peak memory of loading the largest journal (and each
//               --large one), against its size, in a fresh process so that earlier
//               loads do not count; and whether it loaded whole or was refused
//   start-up    start to the focused reload button, against Wine's notepad
//               starting to its focused text field
// Quick measurements are repeated alternately and the fastest of each is kept.
//
//   SitzblickBench [--program PATH] [--large MB]... [MB ...]     (default sizes 1 4 16)
#include <windows.h>

#include <commdlg.h>
#include <psapi.h>
#include <richedit.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "Application.h"
#include "Controls.h"
#include "FileIO.h"
#include "GUIUnit.h"
#include "Handles.h"
#include "IniDatUnit.h"
#include "Program.h"

namespace {

constexpr int kRounds = 3;

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs the two alternately and keeps the lowest figure each reports.
std::pair<double, double> LowestOf(const std::function<double()>& ours, const std::function<double()>& floor,
                                   int rounds = kRounds) {
    double best = 1e9, bestFloor = 1e9;
    for (int i = 0; i < rounds; ++i) {
        best = std::min(best, ours());
        bestFloor = std::min(bestFloor, floor());
    }
    return {best, bestFloor};
}

// The same for work whose whole duration is the figure: the fastest time of each.
std::pair<double, double> FastestOf(const std::function<void()>& ours, const std::function<void()>& floor) {
    return LowestOf([&] { return Seconds(ours); }, [&] { return Seconds(floor); });
}

// Whole lines of syntax as the statistics package writes them, up to the size.
std::string MakeJournal(size_t bytes) {
    static const char* const kLines[] = {
        "GET FILE='c:\\daten\\umfrage2001.sav'.\r\n",
        "FREQUENCIES VARIABLES=alter geschlecht bildung\r\n",
        "  /STATISTICS=MEAN MEDIAN STDDEV.\r\n",
        "DESCRIPTIVES VARIABLES=einkommen /SAVE.\r\n",
        "COMPUTE quote = einkommen / haushalt.\r\n",
        "EXECUTE.\r\n",
    };
    std::string text;
    text.reserve(bytes + 64);
    for (size_t i = 0;; ++i) {
        const char* line = kLines[i % 6];
        if (text.size() + std::strlen(line) > bytes) break;
        text += line;
    }
    return text;
}

void Write(const std::string& path, const std::string& bytes) {
    platform::FileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string ExeFolder() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

// ---- the journal view -------------------------------------------------------

struct Source {
    const std::string* text;
    size_t offset;
};

DWORD CALLBACK ReadChunk(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto& source = *reinterpret_cast<Source*>(cookie);
    const size_t count = std::min(static_cast<size_t>(wanted), source.text->size() - source.offset);
    memcpy(buffer, source.text->data() + source.offset, count);
    source.offset += count;
    *given = static_cast<LONG>(count);
    return 0;
}

// A rich edit of the view's style and font, with nothing of ours around it:
// filled while hidden (a visible one takes in text more slowly), then shown.
double BareStreamIn(const std::string& bytes) {
    const HWND view = GUIForm->jnlRichEdit.Handle();
    const DWORD style = static_cast<DWORD>(::GetWindowLongA(view, GWL_STYLE)) & ~WS_VISIBLE;
    const DWORD exStyle = static_cast<DWORD>(::GetWindowLongA(view, GWL_EXSTYLE));
    HWND edit = ::CreateWindowExA(exStyle, "RICHEDIT", "", style, 8, 40, 417, 257, GUIForm->Handle(), nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    ::SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GUIForm->Font()), FALSE);
    ::SendMessageA(edit, EM_SETTARGETDEVICE, 0, 1);
    ::SendMessageA(edit, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    Source source{&bytes, 0};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, &ReadChunk};
    const double seconds = Seconds([&] {
        ::SendMessageA(edit, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
        ::ShowWindow(edit, SW_SHOW);
    });
    ::DestroyWindow(edit);
    return seconds;
}

void MeasureView(const std::string& folder, const std::vector<int>& sizes) {
    std::printf("%-4s %8s %8s %9s %12s %12s %11s %14s %9s %9s %10s\n", "MB", "read s", "bare s", "reload s",
                "reload/read", "reload/bare", "append1K s", "append1K/read", "find s", "bare s", "find/bare");
    for (int mb : sizes) {
        const std::string path = folder + "\\bench" + std::to_string(mb) + ".jnl";
        std::string journal = MakeJournal(static_cast<size_t>(mb) << 20);
        Write(path, journal);
        IniData->SetJnlFileName(path);

        double read = 1e9;
        for (int i = 0; i < kRounds; ++i) read = std::min(read, Seconds([&] { platform::ReadWholeFile(path); }));
        // The bare floor on both sides of our reload: the first intake pays the control's warm-up.
        double bare = BareStreamIn(journal);
        GUIForm->jnlRichEdit.Clear();
        const double reload = Seconds([&] { GUIForm->Journalfileneuladen1Click(); });
        bare = std::min(bare, BareStreamIn(journal));
        if (GUIForm->jnlRichEdit.TextLength() < static_cast<long>(journal.size()))
            std::printf("warning: the view holds %ld of %zu bytes\n", GUIForm->jnlRichEdit.TextLength(), journal.size());

        // The usual work: the statistics package appends a little, the user reloads.
        const std::string more = MakeJournal(1024);
        const auto [appended, readGrown] = FastestOf(
            [&] {
                journal += more;
                Write(path, journal);
                GUIForm->Journalfileneuladen1Click();
                if (!GUIForm->jnlRichEdit.LastLoadAppended()) std::printf("warning: the reload did not append\n");
            },
            [&] { platform::ReadWholeFile(path); });

        // A search that finds nothing runs over the whole text.
        GUIForm->jnlFindDialog.SetFindText("REGRESSION");
        const auto [find, bareFind] = FastestOf(
            [&] {
                GUIForm->jnlRichEdit.SetSelection(0, 0);
                GUIForm->jnlFindDialogFind();
            },
            [&] {
                FINDTEXTA request{{0, GUIForm->jnlRichEdit.TextLength()}, "REGRESSION"};
                ::SendMessageA(GUIForm->jnlRichEdit.Handle(), EM_FINDTEXT, FR_DOWN, reinterpret_cast<LPARAM>(&request));
            });

        std::printf("%-4d %8.3f %8.3f %9.3f %12.1f %12.2f %11.4f %14.2f %9.3f %9.3f %10.2f\n", mb, read, bare, reload,
                    reload / read, reload / bare, appended, appended / readGrown, find, bareFind, find / bareFind);
        std::fflush(stdout);
        ::DeleteFileA(path.c_str());
    }
}

// ---- memory -----------------------------------------------------------------

PROCESS_MEMORY_COUNTERS MemoryCounters() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

// Child mode: in a process that has loaded nothing large before, the view
// shows a small journal, then loads the given one. Prints the time, what the
// load cost in committed memory (what the system must find room for) against
// the file's size, and the outcome: loaded whole, or refused with the view
// still showing the small journal.
int MeasureLoadChild(const std::string& journal) {
    platform::Application app;
    CreateProgramForms(app);
    platform::RichEdit& view = GUIForm->jnlRichEdit;
    const std::string before = "vorher\r\n";
    view.SetPlainText(before);
    const double size = static_cast<double>(platform::ReadWholeFile(journal).size());
    const PROCESS_MEMORY_COUNTERS start = MemoryCounters();
    std::string outcome = "loaded whole";
    const double seconds = Seconds([&] {
        try {
            view.LoadFromFile(journal);
            if (view.TextLength() < static_cast<long>(size)) outcome = "INCOMPLETE";
        } catch (const std::exception& error) {
            outcome = std::string("refused (") + error.what() + "), view " +
                      (view.Text() == before ? "unchanged" : "CHANGED");
        }
    });
    const PROCESS_MEMORY_COUNTERS end = MemoryCounters();
    const double peak = static_cast<double>(end.PeakPagefileUsage) - static_cast<double>(start.PagefileUsage);
    const double held = static_cast<double>(end.PagefileUsage) - static_cast<double>(start.PagefileUsage);
    std::printf("%-6.0f %9.1f %10.0f %10.1f %10.0f %10.1f  %s\n", size / (1 << 20), seconds, peak / (1 << 20),
                peak / size, held / (1 << 20), held / size, outcome.c_str());
    std::fflush(stdout);
    return 0;
}

// A started program: its main thread's id and the handles to both.
struct StartedProcess {
    DWORD threadId = 0;
    platform::KernelHandle thread;
    platform::KernelHandle process;
};

bool Start(std::string commandLine, const std::string& folder, StartedProcess& started) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                          &process))
        return false;
    started.threadId = process.dwThreadId;
    started.thread.Reset(process.hThread);
    started.process.Reset(process.hProcess);
    return true;
}

bool RunAndWait(const std::string& commandLine, const std::string& folder) {
    StartedProcess child;
    if (!Start(commandLine, folder, child)) return false;
    ::WaitForSingleObject(child.process.Get(), INFINITE);
    return true;
}

void MeasureLoads(const std::string& folder, const std::vector<int>& sizes) {
    std::printf("\n%-6s %9s %10s %10s %10s %10s  %s\n", "MB", "load s", "peak MB", "peak/file", "held MB",
                "held/file", "outcome");
    std::fflush(stdout);
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    for (int mb : sizes) {
        const std::string path = folder + "\\load" + std::to_string(mb) + ".jnl";
        Write(path, MakeJournal(static_cast<size_t>(mb) << 20));
        if (!RunAndWait("\"" + std::string(self) + "\" --load-child \"" + path + "\"", folder))
            std::printf("warning: the measuring process did not start\n");
        ::DeleteFileA(path.c_str());
    }
}

// ---- start-up ---------------------------------------------------------------

// True when the thread's focused window is of the class and, if given, bears the text.
bool FocusIsOn(DWORD thread, const char* className, const char* text) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(thread, &info) || !info.hwndFocus) return false;
    char name[64] = {};
    ::GetClassNameA(info.hwndFocus, name, sizeof name);
    if (lstrcmpiA(name, className) != 0) return false;
    return !text || platform::WindowText(info.hwndFocus) == text;
}

BOOL CALLBACK CloseWindowOf(HWND window, LPARAM) {
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    return TRUE;
}

// Seconds from starting the program until the focus is where a user starts
// typing (-1 if it never gets there); the program is closed afterwards.
double StartUpSeconds(const std::string& commandLine, const std::string& folder, const char* focusClass,
                      const char* focusText) {
    const auto start = std::chrono::steady_clock::now();
    StartedProcess child;
    if (!Start(commandLine, folder, child)) return -1;
    double seconds = -1;
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(30)) {
        if (FocusIsOn(child.threadId, focusClass, focusText)) {
            seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            break;
        }
        ::Sleep(1);
    }
    ::EnumThreadWindows(child.threadId, &CloseWindowOf, 0);
    if (::WaitForSingleObject(child.process.Get(), 10000) != WAIT_OBJECT_0) ::TerminateProcess(child.process.Get(), 1);
    return seconds;
}

void MeasureStartUp(const std::string& folder, const std::string& program) {
    const std::string sitzblick = "\"" + program + "\"";
    // The time until the focus is there; closing the program afterwards does not count.
    const auto [ours, notepad] = LowestOf(
        [&] {
            const double seconds = StartUpSeconds(sitzblick, folder, "Button", "Jounalfile neu lesen");
            if (seconds < 0) std::printf("warning: %s did not focus its reload button\n", program.c_str());
            return seconds < 0 ? 1e9 : seconds;
        },
        [&] {
            const double seconds = StartUpSeconds("notepad.exe", folder, "Edit", nullptr);
            if (seconds < 0) std::printf("warning: notepad did not focus its text\n");
            return seconds < 0 ? 1e9 : seconds;
        },
        5);
    std::printf("\n%-12s %12s %14s\n", "start-up s", "notepad s", "start/notepad");
    std::printf("%-12.3f %12.3f %14.2f\n", ours, notepad, ours / notepad);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    std::string program = ExeFolder() + "\\..\\src\\Sitzblick.exe";
    std::vector<int> largeSizes;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--load-child" && i + 1 < argc) return MeasureLoadChild(argv[i + 1]);
        if (argument == "--program" && i + 1 < argc)
            program = argv[++i];
        else if (argument == "--large" && i + 1 < argc)
            largeSizes.push_back(std::atoi(argv[++i]));
        else
            sizes.push_back(std::atoi(argv[i]));
    }
    if (sizes.empty()) sizes = {1, 4, 16};

    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "sitzblick-bench";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    ::SetCurrentDirectoryA(folder.c_str());
    {
        platform::Application app;
        CreateProgramForms(app);
        GUIForm->Show();
        app.ProcessMessages();
        MeasureView(folder, sizes);
    }
    largeSizes.insert(largeSizes.begin(), *std::max_element(sizes.begin(), sizes.end()));
    MeasureLoads(folder, largeSizes);
    MeasureStartUp(folder, program);

    ::SetCurrentDirectoryA(temp);
    ::DeleteFileA((folder + "\\Sitzblick.ini").c_str());
    ::RemoveDirectoryA(folder.c_str());
    return 0;
}

// Measures the program against floors taken in the same run and prints ratios:
//   reload      a full reload against reading the same file whole (ReadFile)
//   append1K    a reload after 1 KB was appended, against reading the grown file
//   find        a find-next that finds nothing, with and without match case,
//               against reading the same bytes
//   copy        select-all and copy to the clipboard, against reading the bytes
//   Ctrl+End    the jump to the end with its repaint, against the same on the
//               smallest journal
//   load        the time and peak committed memory of loading each journal (and
//               each --large one) in a fresh process, against the file's size
//   start-up    start to the focused reload button, against Wine's notepad
//               starting to its focused text field
// Quick measurements are repeated alternately and the fastest of each is kept.
// The journals are varied syntax as the statistics package writes it: lines of
// 2 to 200 characters, no two alike in a row.
//
//   SitzblickBench [--program PATH] [--large MB]... [MB ...]     (default sizes 1 16 100)
#include <windows.h>

#include <commdlg.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <atomic>
#include <functional>
#include <random>
#include <thread>
#include <string>
#include <vector>

#include "Application.h"
#include "Controls.h"
#include "FileIO.h"
#include "GUIUnit.h"
#include "Handles.h"
#include "IniDatUnit.h"
#include "Program.h"
#include "TextView.h"

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

// Whole lines of varied syntax, up to the size: commands with their
// subcommands, comments, variable lists of every length.
std::string MakeJournal(size_t bytes, unsigned seed = 2002) {
    static const char* const kVariables[] = {"alter", "geschlecht", "bildung", "einkommen", "haushalt", "region",
                                             "zufriedenheit", "v1", "v2", "v17", "gewicht", "beruf", "partei",
                                             "kinder", "stadt_land", "f12a", "f12b", "wohnort", "netto", "brutto"};
    static const char* const kCommands[] = {"FREQUENCIES VARIABLES=", "DESCRIPTIVES VARIABLES=", "CROSSTABS /TABLES=",
                                            "MEANS TABLES=", "CORRELATIONS /VARIABLES=", "EXAMINE VARIABLES=",
                                            "REGRESSION /DEPENDENT ", "SORT CASES BY ", "MISSING VALUES "};
    static const char* const kSubcommands[] = {"  /STATISTICS=MEAN MEDIAN STDDEV MIN MAX",
                                               "  /ORDER=ANALYSIS",
                                               "  /FORMAT=AVALUE TABLES",
                                               "  /CELLS=COUNT ROW COLUMN TOTAL",
                                               "  /MISSING LISTWISE",
                                               "  /METHOD=ENTER",
                                               "  /PLOT BOXPLOT STEMLEAF",
                                               "  /PRINT=TWOTAIL NOSIG"};
    std::mt19937 random(seed);
    const auto pick = [&](size_t count) { return static_cast<size_t>(random() % count); };
    const auto variables = [&](size_t count) {
        std::string list;
        for (size_t i = 0; i < count; ++i) list += std::string(i ? " " : "") + kVariables[pick(20)];
        return list;
    };
    std::string text;
    text.reserve(bytes + 256);
    text = "GET FILE='C:\\Daten\\Umfrage.sav'.\r\n";
    std::string line;
    while (true) {
        switch (pick(8)) {
            case 0:
                line = "GET FILE='C:\\Daten\\Umfrage" + std::to_string(1990 + pick(13)) + "_" + std::to_string(pick(100)) +
                       ".sav'.";
                break;
            case 1: line = "EXECUTE."; break;
            case 2: line = " ."; break;
            case 3:
                line = "COMPUTE " + std::string(kVariables[pick(20)]) + " = " + kVariables[pick(20)] + " / " +
                       std::to_string(1 + pick(1000)) + " ." ;
                break;
            case 4: line = "* Streus\xE4ulen f\xFCr " + variables(1 + pick(6)) + " nach Gr\xF6\xDF" "e."; break;
            case 5: line = kSubcommands[pick(8)]; break;
            default: line = kCommands[pick(9)] + variables(1 + pick(28)); break;
        }
        line.resize(std::min<size_t>(line.size(), 200));
        if (text.size() + line.size() + 2 > bytes) break;
        text += line;
        text += "\r\n";
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

double ReadSeconds(const std::string& path) { return Seconds([&] { platform::ReadWholeFile(path); }); }

// Presses a key in the view as the keyboard would, Ctrl held, and repaints.
void CtrlKey(UINT key) {
    BYTE state[256] = {};
    ::GetKeyboardState(state);
    state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
    ::SetKeyboardState(state);
    ::SendMessageA(GUIForm->jnlRichEdit.Handle(), WM_KEYDOWN, key, 1);
    state[VK_CONTROL] = state[VK_LCONTROL] = 0;
    ::SetKeyboardState(state);
    ::UpdateWindow(GUIForm->jnlRichEdit.Handle());
}

void MeasureView(const std::string& folder, const std::vector<int>& sizes) {
    std::printf("%-5s %8s %9s %7s %10s %8s %10s %8s %10s %8s %10s %8s %9s %9s\n", "MB", "read s", "reload s", "/read",
                "append1K s", "/read", "find s", "/read", "findCase s", "/read", "copy s", "/read", "Ctrl+End",
                "/smallest");
    double smallestEnd = 0;
    for (int mb : sizes) {
        const std::string path = folder + "\\bench" + std::to_string(mb) + ".jnl";
        std::string journal = MakeJournal(static_cast<size_t>(mb) << 20);
        Write(path, journal);
        IniData->SetJnlFileName(path);
        platform::TextView& view = GUIForm->jnlRichEdit;
        // The floor of every figure: reading the journal as it is now.
        const auto readJournal = [&] { platform::ReadWholeFile(path); };

        // A journal written anew each time (its first letter changes): a full reload.
        const auto [reload, read] = LowestOf(
            [&] {
                journal[0] = journal[0] == 'G' ? 'g' : 'G';
                Write(path, journal);
                return Seconds([&] { GUIForm->Journalfileneuladen1Click(); });
            },
            [&] { return Seconds(readJournal); });
        if (view.LastLoadAppended()) std::printf("warning: the reload appended\n");
        if (view.TextLength() != static_cast<long>(journal.size()))
            std::printf("warning: the view holds %ld of %zu bytes\n", view.TextLength(), journal.size());

        // The usual work: the statistics package appends a little, the user reloads.
        const std::string more = MakeJournal(1024, static_cast<unsigned>(mb));
        const auto [appended, readGrown] = FastestOf(
            [&] {
                journal += more;
                Write(path, journal);
                GUIForm->Journalfileneuladen1Click();
                if (!view.LastLoadAppended()) std::printf("warning: the reload did not append\n");
            },
            readJournal);

        // A search that finds nothing runs over the whole text.
        GUIForm->jnlFindDialog.SetFindText("LOGISTIC REGRESSION");
        const auto search = [&](bool matchCase) {
            return FastestOf(
                [&] {
                    GUIForm->jnlFindDialog.SetMatchCase(matchCase);
                    view.SetSelection(0, 0);
                    GUIForm->jnlFindDialogFind();
                },
                readJournal);
        };
        const auto [find, readFind] = search(false);
        const auto [findCase, readFindCase] = search(true);

        const auto [copy, readCopy] = FastestOf(
            [&] {
                GUIForm->allesmarkieren1Click();
                GUIForm->kopieren1Click();
            },
            readJournal);

        double end = 1e9;
        for (int i = 0; i < 10; ++i) {
            CtrlKey(VK_HOME);
            end = std::min(end, Seconds([&] { CtrlKey(VK_END); }));
        }
        if (smallestEnd == 0) smallestEnd = end;

        std::printf("%-5d %8.3f %9.3f %7.2f %10.4f %8.2f %10.4f %8.2f %10.4f %8.2f %10.4f %8.2f %9.5f %9.2f\n", mb,
                    read, reload, reload / read, appended, appended / readGrown, find, find / readFind, findCase,
                    findCase / readFindCase, copy, copy / readCopy, end, end / smallestEnd);
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
// shows a small journal, then loads the given one. Prints the time, the peak
// of committed memory during the load (what the system must find room for;
// sampled, as Wine reports no peak of its own) and what stays, against the
// file's size, and the outcome: loaded whole, or refused with the view still
// showing the small journal.
int MeasureLoadChild(const std::string& journal) {
    platform::Application app;
    CreateProgramForms(app);
    platform::TextView& view = GUIForm->jnlRichEdit;
    const std::string before = "vorher\r\n";
    view.SetPlainText(before);
    double size = 0;
    {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        ::GetFileAttributesExA(journal.c_str(), GetFileExInfoStandard, &data);
        size = static_cast<double>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
    }
    double read = 1e9;
    for (int i = 0; i < kRounds; ++i) read = std::min(read, ReadSeconds(journal));
    // The sampling thread runs before the baseline is taken: its own stack is
    // not the load's.
    std::atomic<bool> loading{true}, sampling{false};
    std::atomic<double> peak{0};
    std::thread sampler([&] {
        while (loading) {
            peak = std::max<double>(peak, static_cast<double>(MemoryCounters().PagefileUsage));
            sampling = true;
            ::Sleep(1);
        }
    });
    while (!sampling) ::Sleep(1);
    const double start = static_cast<double>(MemoryCounters().PagefileUsage);
    peak = start;
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
    loading = false;
    sampler.join();
    const double held = static_cast<double>(MemoryCounters().PagefileUsage) - start;
    const double rise = std::max<double>(peak, held + start) - start;
    std::printf("%-6.0f %9.3f %9.3f %10.2f %10.0f %10.2f %10.0f %10.2f  %s\n", size / (1 << 20), read, seconds,
                seconds / read, rise / (1 << 20), rise / size, held / (1 << 20), held / size, outcome.c_str());
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
    std::printf("\n%-6s %9s %9s %10s %10s %10s %10s %10s  %s\n", "MB", "read s", "load s", "load/read", "peak MB",
                "peak/file", "held MB", "held/file", "outcome");
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
    if (sizes.empty()) sizes = {1, 16, 100};

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
    std::vector<int> loads = sizes;
    loads.insert(loads.end(), largeSizes.begin(), largeSizes.end());
    MeasureLoads(folder, loads);
    MeasureStartUp(folder, program);

    ::SetCurrentDirectoryA(temp);
    ::DeleteFileA((folder + "\\Sitzblick.ini").c_str());
    ::RemoveDirectoryA(folder.c_str());
    return 0;
}

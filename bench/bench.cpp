// Measures the journal reload against two floors taken in the same run:
//   read   reading the file whole (ReadFile)
//   bare   streaming the same bytes into a bare rich edit of the same style
// then, on the loaded journal, a reload after 1 KB was appended (against reading
// the whole file) and a find-next that finds nothing (against a bare EM_FINDTEXT
// over the same text), and prints the ratios. Sizes in MB as arguments (default 1 4 16).
#include <windows.h>

#include <commdlg.h>
#include <richedit.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "Application.h"
#include "FileIO.h"
#include "GUIUnit.h"
#include "IniDatUnit.h"
#include "Program.h"

namespace {

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

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
    for (size_t i = 0; text.size() < bytes; ++i) text += kLines[i % 6];
    text.resize(bytes);
    return text;
}

void Write(const std::string& path, const std::string& bytes) {
    platform::FileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

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

double BareStreamIn(const std::string& bytes) {
    HWND edit = ::CreateWindowExA(WS_EX_CLIENTEDGE, "RICHEDIT", "",
                                  WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_HSCROLL |
                                      ES_AUTOHSCROLL | ES_AUTOVSCROLL,
                                  8, 40, 417, 257, GUIForm->Handle(), nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::SendMessageA(edit, EM_SETTARGETDEVICE, 0, 1);
    ::SendMessageA(edit, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    Source source{&bytes, 0};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, &ReadChunk};
    const double seconds = Seconds([&] { ::SendMessageA(edit, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream)); });
    ::DestroyWindow(edit);
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty()) sizes = {1, 4, 16};

    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "sitzblick-bench";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    ::SetCurrentDirectoryA(folder.c_str());

    platform::Application app;
    CreateProgramForms(app);
    GUIForm->Show();
    app.ProcessMessages();

    std::printf("%-4s %8s %8s %9s %12s %12s %11s %14s %9s %9s %10s\n", "MB", "read s", "bare s", "reload s",
                "reload/read", "reload/bare", "append1K s", "append1K/read", "find s", "bare s", "find/bare");
    for (int mb : sizes) {
        const std::string path = folder + "\\bench" + std::to_string(mb) + ".jnl";
        const std::string journal = MakeJournal(static_cast<size_t>(mb) << 20);
        Write(path, journal);
        IniData->SetJnlFileName(path);

        const double read = Seconds([&] { platform::ReadWholeFile(path); });
        const double bare = BareStreamIn(journal);
        GUIForm->jnlRichEdit.Clear();
        const double reload = Seconds([&] { GUIForm->Journalfileneuladen1Click(); });
        if (GUIForm->jnlRichEdit.TextLength() < static_cast<long>(journal.size()))
            std::printf("warning: the view holds %ld of %zu bytes\n", GUIForm->jnlRichEdit.TextLength(), journal.size());

        // The usual work: SPSS appends a little, the user reloads.
        Write(path, journal + MakeJournal(1024));
        const double appended = Seconds([&] { GUIForm->Journalfileneuladen1Click(); });
        if (!GUIForm->jnlRichEdit.LastLoadAppended()) std::printf("warning: the reload did not append\n");
        const double readAgain = Seconds([&] { platform::ReadWholeFile(path); });

        // A search that finds nothing runs over the whole text.
        GUIForm->jnlFindDialog.SetFindText("REGRESSION");
        GUIForm->jnlRichEdit.SetSelection(0, 0);
        const double find = Seconds([&] { GUIForm->jnlFindDialogFind(); });
        const double bareFind = Seconds([&] {
            FINDTEXTA request{{0, GUIForm->jnlRichEdit.TextLength()}, "REGRESSION"};
            ::SendMessageA(GUIForm->jnlRichEdit.Handle(), EM_FINDTEXT, FR_DOWN, reinterpret_cast<LPARAM>(&request));
        });

        std::printf("%-4d %8.3f %8.3f %9.3f %12.1f %12.2f %11.4f %14.2f %9.3f %9.3f %10.2f\n", mb, read, bare, reload,
                    reload / read, reload / bare, appended, appended / readAgain, find, bareFind, find / bareFind);
        std::fflush(stdout);
        ::DeleteFileA(path.c_str());
    }
    ::SetCurrentDirectoryA(temp);
    ::DeleteFileA((folder + "\\Sitzblick.ini").c_str());
    ::RemoveDirectoryA(folder.c_str());
    return 0;
}

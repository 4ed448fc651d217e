// Helpers for tests that drive the real windows in this process.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Application.h"

namespace testing_support {

// A fresh folder under %TEMP%, made the current directory for its lifetime.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
    std::string previous_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool Exists(const std::string& path);

// Handles messages until pred holds or timeoutMs passes; returns pred().
bool PumpUntil(platform::Application& app, const std::function<bool()>& pred, int timeoutMs = 3000);
void PumpFor(platform::Application& app, int milliseconds);

// Answers the next message boxes of this process from a second thread: waits for
// each, records its caption and text, and presses the button given for it.
class ModalAnswerer {
public:
    struct Box {
        std::string caption;
        std::string text;
        bool icon = false;
        // The visible top-level windows above the box, as it came up.
        std::vector<HWND> windowsAbove;
        RECT rect{};
        bool Above(HWND window) const {
            for (HWND above : windowsAbove)
                if (above == window) return false;
            return true;
        }
    };

    explicit ModalAnswerer(int buttonId, int timeoutMs = 5000) : ModalAnswerer(std::vector<int>{buttonId}, timeoutMs) {}
    ModalAnswerer(std::vector<int> buttonIds, int timeoutMs = 5000);
    ~ModalAnswerer();
    ModalAnswerer(const ModalAnswerer&) = delete;
    ModalAnswerer& operator=(const ModalAnswerer&) = delete;

    // Waits for the thread; true when every box expected was seen and answered.
    bool Answered();
    const std::vector<Box>& Boxes() {
        Answered();
        return boxes_;
    }
    std::string Caption() { return Boxes().empty() ? "<no box>" : boxes_[0].caption; }
    std::string Text() { return Boxes().empty() ? "<no box>" : boxes_[0].text; }
    bool HadIcon() { return !Boxes().empty() && boxes_[0].icon; }

private:
    void Run(std::vector<int> buttonIds, int timeoutMs);
    std::vector<Box> boxes_;
    bool answered_ = false;
    std::atomic<bool> finished_{false};
    std::thread thread_;
};

// Text on the clipboard (CF_TEXT), or "<none>" when there is none.
std::string ClipboardText();
void SetClipboardText(const std::string& text);

// Delivers a key as the keyboard would: the modifier state is set for this
// thread, then WM_KEYDOWN/WM_KEYUP are posted to the focused window and handled.
void PressKey(platform::Application& app, UINT key, bool ctrl = false, bool shift = false);

}  // namespace testing_support

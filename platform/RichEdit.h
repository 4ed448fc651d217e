// The rich edit control of RICHED32.DLL (window class "RICHEDIT"), used as a
// plain text view: text goes in as characters, never interpreted as markup.
#pragma once

#include <cstdint>
#include <string>

#include "Controls.h"

namespace platform {

class RichEdit : public Control {
public:
    RichEdit(Form& owner, const LayoutEntry& entry);

    // The character a NUL byte is shown as: the control ends its text at a NUL.
    static constexpr char kNulReplacement = '?';

    // Replaces the whole content with text, lifting the length limit so all of it fits.
    // Lone CR and LF line breaks become CR LF.
    // Throws platform::Error when the control does not take it all, or when taking
    // it in would leave less memory free than SetMemoryToKeepFree asks; the
    // content then stays as it was.
    void SetPlainText(const std::string& text);
    // Reads the file whole (see ReadWholeFile) and shows it; on failure the
    // content stays as it was. When the file only grew since the last load of the
    // same path (the old bytes are an unchanged prefix), just the new bytes are
    // appended: the result is the same text, in a fraction of the time.
    void LoadFromFile(const std::string& path);
    // The control needs many times a text's size in memory (under Wine about
    // two hundred); an intake that would leave less than this free is refused.
    static constexpr std::uint64_t kDefaultMemoryToKeepFree = std::uint64_t{256} << 20;
    void SetMemoryToKeepFree(std::uint64_t bytes) { memoryToKeepFree_ = bytes; }

    // True when the last LoadFromFile appended instead of replacing.
    bool LastLoadAppended() const { return lastLoadAppended_; }
    void Clear() { SetPlainText({}); }

    std::string Text() const;
    long TextLength() const;

    long SelStart() const;
    long SelLength() const;
    void SetSelection(long start, long length);
    void SelectAll();
    // Puts the caret after the last character without naming an offset: the
    // control finds its end at once, while an offset is looked up line by line.
    void MoveCaretToEnd();
    std::string SelectedText() const;
    void CopyToClipboard();
    void ScrollCaretIntoView();

    struct SearchOptions {
        bool wholeWord = false;
        bool matchCase = false;
    };
    // Searches text forward over [start, end) and returns the position of the first
    // match or -1. Without matchCase the comparison ignores case.
    long FindText(const std::string& text, long start, long end, SearchOptions options) const;

    bool PreTranslateKey(MSG& msg) override;

private:
    void StreamIn(HWND target, const std::string& text);
    void ApplyOptions(HWND target) const;
    bool AppendFits(size_t bytes) const;
    bool wordWrap_;
    std::uint64_t memoryToKeepFree_ = kDefaultMemoryToKeepFree;
    // What the control spent in memory per byte of text, as last seen in a large
    // intake; until then an ample guess (under Wine: about 200, far more for very
    // short lines).
    double costPerByte_ = 256;
    void ShowText(const std::string& text);
    void AppendText(std::string tail, bool previousEndsWithCr);

    // What the view shows, as the file held it, while that is known for sure.
    struct LoadedFile {
        std::string path;
        std::string bytes;
        bool valid = false;
    };
    LoadedFile loaded_;
    bool lastLoadAppended_ = false;
};

}  // namespace platform

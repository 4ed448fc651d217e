// A text held for viewing, with no window: the characters, where each line
// starts, caret steps, words and the search. A view draws from it; tests use
// it as plain code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace platform {

// The text is made from bytes as a file holds them: every byte is one character,
// except that each CR, LF and CR LF is held as CR LF (one line break), and a NUL
// is held as kNulReplacement (the text is also handed out as a C string).
// Positions are offsets into that text; a caret never stands between CR and LF.
class TextModel {
public:
    static constexpr char kNulReplacement = '?';
    // The edit messages speak of positions as 32-bit numbers; a longer text is refused.
    static constexpr size_t kMaxLength = 0x7FFFFFFE;
    static constexpr size_t npos = static_cast<size_t>(-1);

    // Replaces the text by what these bytes show. Throws (std::length_error,
    // std::bad_alloc) when it cannot; the text is then unchanged.
    void Assign(std::string bytes);
    // When `grown` begins with the very bytes the text was last made from (the
    // file only grew), adds what follows and returns true: the text is then what
    // Assign(grown) would make, found in the time it takes to look at the bytes.
    // Otherwise returns false and changes nothing. May take over grown's buffer.
    bool Extend(std::string& grown);

    const std::string& Text() const { return text_; }
    size_t Length() const { return text_.size(); }
    // A text always has a line, the empty text too; one ending in a line break
    // has an empty last line.
    size_t LineCount() const { return lineStarts_.size(); }
    size_t LineStart(size_t line) const { return lineStarts_[line]; }
    // Where the line's characters end, before its line break.
    size_t LineEnd(size_t line) const { return line + 1 < LineCount() ? lineStarts_[line + 1] - 2 : text_.size(); }
    size_t LineLength(size_t line) const { return LineEnd(line) - LineStart(line); }
    size_t LineFromPosition(size_t position) const;
    // The line the last Assign or Extend changed first: lines before it are as they were.
    size_t FirstChangedLine() const { return firstChangedLine_; }

    // One caret step; a line break is one step.
    size_t NextPosition(size_t position) const;
    size_t PreviousPosition(size_t position) const;
    // A position moved off the middle of a CR LF, and into the text.
    size_t ValidPosition(size_t position) const;

    // Words are runs of letters, digits and underscores; other marks form runs of
    // their own; blanks (space, tab) separate them. As Ctrl+Right and Ctrl+Left
    // move in a text box: to the start of the next word, or of this or the
    // previous one; a line end is a stop of its own.
    size_t NextWordStart(size_t position) const;
    size_t PreviousWordStart(size_t position) const;
    // The run a double-click at the position selects, as [first, last).
    std::pair<size_t, size_t> WordAt(size_t position) const;

    struct SearchOptions {
        bool wholeWord = false;  // no letter, digit or underscore just before or after the match
        bool matchCase = false;  // otherwise letters compare as the system's code page folds them
    };
    // The first match of `what` that lies within [from, to), or npos.
    size_t Find(const std::string& what, size_t from, size_t to, SearchOptions options) const;

private:
    std::string text_{};
    std::vector<std::uint32_t> lineStarts_{0};
    size_t sourceLength_ = 0;    // bytes the text was made from
    bool textIsSource_ = true;   // no byte changed on the way in
    size_t firstChangedLine_ = 0;
};

// True for the characters a word is made of (the system's letters and digits, and '_').
bool IsWordCharacter(char c);

}  // namespace platform

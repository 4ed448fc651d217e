#include "TextModel.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>

namespace platform {

namespace {

// ---- characters, as the system's code page sees them ---------------------------

struct CharacterTables {
    std::array<unsigned char, 256> upper{};
    std::array<bool, 256> word{};

    CharacterTables() {
        for (int c = 0; c < 256; ++c) {
            char one = static_cast<char>(c);
            if (c != 0) ::CharUpperBuffA(&one, 1);
            upper[c] = static_cast<unsigned char>(one);
            word[c] = c == '_' || (c != 0 && ::IsCharAlphaNumericA(static_cast<char>(c)));
        }
    }
};

const CharacterTables& Tables() {
    static const CharacterTables tables;
    return tables;
}

unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

enum class CharClass { Blank, Break, Word, Mark };

CharClass ClassOf(char c) {
    if (c == ' ' || c == '\t') return CharClass::Blank;
    if (c == '\r' || c == '\n') return CharClass::Break;
    return IsWordCharacter(c) ? CharClass::Word : CharClass::Mark;
}

// ---- line breaks ----------------------------------------------------------------

// True when some byte of the eight is below 14: a line break, a NUL or another
// control character may be among them.
bool MayHoldControl(std::uint64_t eight) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
    return ((eight - kOnes * 14) & ~eight & kHighs) != 0;
}

// Notes where the lines in data[begin, end) start, for a text whose every line
// break is CR LF and which holds no NUL; false (at the first offender) otherwise.
// A LF right at begin counts as lone.
bool IndexCleanText(const std::string& data, size_t begin, size_t end, std::vector<std::uint32_t>& starts) {
    const char* text = data.data();
    size_t i = begin;
    while (i < end) {
        if (end - i >= 8) {
            std::uint64_t eight;
            std::memcpy(&eight, text + i, 8);
            if (!MayHoldControl(eight)) {
                i += 8;
                continue;
            }
        }
        const char c = text[i];
        if (c == '\0') return false;
        if (c == '\r') {
            if (i + 1 >= end || text[i + 1] != '\n') return false;
            starts.push_back(static_cast<std::uint32_t>(i + 2));
            i += 2;
            continue;
        }
        if (c == '\n') return false;
        ++i;
    }
    return true;
}

void CheckLength(size_t length) {
    if (length > TextModel::kMaxLength) throw std::length_error("Text too long for the view");
}

// Walks bytes[begin, end) as the text shows them: each line break (CR, LF or
// CR LF) once as onBreak(), every other byte as onCharacter(what is shown for
// it). Either may return false to stop the walk; then this returns false.
template <class OnCharacter, class OnBreak>
bool ForEachShown(const std::string& bytes, size_t begin, size_t end, OnCharacter onCharacter, OnBreak onBreak) {
    for (size_t i = begin; i < end; ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < end && bytes[i + 1] == '\n') ++i;
            if (!onBreak()) return false;
        } else if (!onCharacter(c == '\0' ? TextModel::kNulReplacement : c)) {
            return false;
        }
    }
    return true;
}

// Bytes as the text holds them: every line break CR LF, NUL replaced.
std::string Normalized(const std::string& bytes, size_t begin) {
    size_t length = 0;
    ForEachShown(
        bytes, begin, bytes.size(),
        [&](char) {
            length += 1;
            return true;
        },
        [&] {
            length += 2;
            return true;
        });
    CheckLength(length);
    std::string text;
    text.reserve(length);
    ForEachShown(
        bytes, begin, bytes.size(),
        [&](char c) {
            text += c;
            return true;
        },
        [&] {
            text += "\r\n";
            return true;
        });
    return text;
}

// True when bytes[0, count) make exactly this text.
bool MakesText(const std::string& bytes, size_t count, const std::string& text) {
    size_t j = 0;
    const bool same = ForEachShown(
        bytes, 0, count, [&](char c) { return j < text.size() && text[j++] == c; },
        [&] {
            if (j + 1 >= text.size() || text[j] != '\r' || text[j + 1] != '\n') return false;
            j += 2;
            return true;
        });
    return same && j == text.size();
}

}  // namespace

bool IsWordCharacter(char c) { return Tables().word[Byte(c)]; }

// ---- making the text ---------------------------------------------------------------

void TextModel::Assign(std::string bytes) {
    const size_t sourceLength = bytes.size();
    CheckLength(sourceLength);
    std::vector<std::uint32_t> starts{0};
    starts.reserve(bytes.size() / 32 + 1);
    bool same = IndexCleanText(bytes, 0, bytes.size(), starts);
    if (!same) {
        bytes = Normalized(bytes, 0);
        starts.assign(1, 0);
        IndexCleanText(bytes, 0, bytes.size(), starts);
    }
    starts.shrink_to_fit();
    text_ = std::move(bytes);
    lineStarts_ = std::move(starts);
    sourceLength_ = sourceLength;
    textIsSource_ = same;
    firstChangedLine_ = 0;
}

bool TextModel::Extend(std::string& grown) {
    if (grown.size() < sourceLength_) return false;
    const bool unchangedStart = textIsSource_ ? std::memcmp(grown.data(), text_.data(), sourceLength_) == 0
                                              : MakesText(grown, sourceLength_, text_);
    if (!unchangedStart) return false;
    const size_t lastLine = LineCount() - 1;
    const size_t grownLength = grown.size();
    // A CR LF split between the old end and the new bytes: the CR already shows
    // as a whole line break.
    size_t tailBegin = sourceLength_;
    if (tailBegin > 0 && grown[tailBegin - 1] == '\r' && tailBegin < grown.size() && grown[tailBegin] == '\n')
        ++tailBegin;

    std::vector<std::uint32_t> newStarts;
    if (textIsSource_ && tailBegin == sourceLength_ && IndexCleanText(grown, tailBegin, grown.size(), newStarts)) {
        // The file's bytes are the text: take them over as they are.
        lineStarts_.reserve(lineStarts_.size() + newStarts.size());
        lineStarts_.insert(lineStarts_.end(), newStarts.begin(), newStarts.end());
        text_.swap(grown);
    } else {
        std::string tail = Normalized(grown, tailBegin);
        CheckLength(text_.size() + tail.size());
        newStarts.clear();
        for (size_t i = 0; i < tail.size(); ++i)
            if (tail[i] == '\n') newStarts.push_back(static_cast<std::uint32_t>(text_.size() + i + 1));
        lineStarts_.reserve(lineStarts_.size() + newStarts.size());
        text_.reserve(text_.size() + tail.size());
        text_ += tail;
        lineStarts_.insert(lineStarts_.end(), newStarts.begin(), newStarts.end());
        textIsSource_ = false;
    }
    sourceLength_ = grownLength;
    firstChangedLine_ = lastLine;
    return true;
}

// ---- positions -------------------------------------------------------------------

size_t TextModel::LineFromPosition(size_t position) const {
    position = std::min(position, text_.size());
    const auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), static_cast<std::uint32_t>(position));
    return static_cast<size_t>(after - lineStarts_.begin()) - 1;
}

size_t TextModel::ValidPosition(size_t position) const {
    position = std::min(position, text_.size());
    if (position > 0 && position < text_.size() && text_[position] == '\n' && text_[position - 1] == '\r') --position;
    return position;
}

size_t TextModel::NextPosition(size_t position) const {
    position = ValidPosition(position);
    if (position >= text_.size()) return text_.size();
    return position + (text_[position] == '\r' ? 2 : 1);
}

size_t TextModel::PreviousPosition(size_t position) const {
    position = ValidPosition(position);
    if (position == 0) return 0;
    return position - (position >= 2 && text_[position - 1] == '\n' ? 2 : 1);
}

size_t TextModel::NextWordStart(size_t position) const {
    position = ValidPosition(position);
    const size_t line = LineFromPosition(position);
    const size_t end = LineEnd(line);
    if (position >= end) return NextPosition(position);  // on to the next line
    const CharClass here = ClassOf(text_[position]);
    if (here != CharClass::Blank)
        while (position < end && ClassOf(text_[position]) == here) ++position;
    while (position < end && ClassOf(text_[position]) == CharClass::Blank) ++position;
    return position;
}

size_t TextModel::PreviousWordStart(size_t position) const {
    position = ValidPosition(position);
    const size_t line = LineFromPosition(position);
    const size_t start = LineStart(line);
    if (position <= start) return PreviousPosition(position);  // back to the previous line's end
    while (position > start && ClassOf(text_[position - 1]) == CharClass::Blank) --position;
    if (position == start) return position;
    const CharClass here = ClassOf(text_[position - 1]);
    while (position > start && ClassOf(text_[position - 1]) == here) --position;
    return position;
}

std::pair<size_t, size_t> TextModel::WordAt(size_t position) const {
    position = ValidPosition(position);
    const size_t line = LineFromPosition(position);
    const size_t start = LineStart(line), end = LineEnd(line);
    if (start == end) return {start, start};
    // At the line's end the word before it is meant.
    if (position >= end) position = end - 1;
    const CharClass here = ClassOf(text_[position]);
    size_t first = position, last = position + 1;
    while (first > start && ClassOf(text_[first - 1]) == here) --first;
    while (last < end && ClassOf(text_[last]) == here) ++last;
    return {first, last};
}

// ---- search ------------------------------------------------------------------------

size_t TextModel::Find(const std::string& what, size_t from, size_t to, SearchOptions options) const {
    to = std::min(to, text_.size());
    const size_t m = what.size();
    if (m == 0 || from > to || to - from < m) return npos;

    // Horspool over the characters as compared: each is looked up in the folding
    // table (the identity when case matters).
    std::array<unsigned char, 256> fold;
    for (int c = 0; c < 256; ++c) fold[c] = options.matchCase ? static_cast<unsigned char>(c) : Tables().upper[c];
    std::string pattern(m, '\0');
    for (size_t i = 0; i < m; ++i) pattern[i] = static_cast<char>(fold[Byte(what[i])]);
    std::array<size_t, 256> shift;
    shift.fill(m);
    for (size_t i = 0; i + 1 < m; ++i) shift[Byte(pattern[i])] = m - 1 - i;

    const char* text = text_.data();
    const unsigned char last = Byte(pattern[m - 1]);
    for (size_t at = from; at + m <= to;) {
        const unsigned char end = fold[Byte(text[at + m - 1])];
        if (end == last) {
            size_t i = 0;
            while (i + 1 < m && fold[Byte(text[at + i])] == Byte(pattern[i])) ++i;
            if (i + 1 == m) {
                const bool wordBefore = at > 0 && IsWordCharacter(text[at - 1]);
                const bool wordAfter = at + m < text_.size() && IsWordCharacter(text[at + m]);
                if (!options.wholeWord || (!wordBefore && !wordAfter)) return at;
            }
        }
        at += shift[end];
    }
    return npos;
}

}  // namespace platform

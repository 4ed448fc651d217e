// The view's text with no window: line index, positions, words, search, growth,
// and where the characters stand in pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TextLayout.h"
#include "TextModel.h"

using platform::TextModel;

namespace {

TextModel Made(const std::string& bytes) {
    TextModel model;
    model.Assign(bytes);
    return model;
}

std::vector<size_t> LineStarts(const TextModel& model) {
    std::vector<size_t> starts;
    for (size_t line = 0; line < model.LineCount(); ++line) starts.push_back(model.LineStart(line));
    return starts;
}

// ---- the text and its lines ----------------------------------------------------

struct LinesCase {
    std::string bytes;
    std::string text;
    std::vector<size_t> starts;
};

TEST(TextModelLines, EveryBreakIsOneCrLfAndStartsALine) {
    const LinesCase cases[] = {
        {"", "", {0}},
        {"a", "a", {0}},
        {"a\r\nb", "a\r\nb", {0, 3}},
        {"a\r\n", "a\r\n", {0, 3}},
        {"a\nb", "a\r\nb", {0, 3}},
        {"a\rb", "a\r\nb", {0, 3}},
        {"\r", "\r\n", {0, 2}},
        {"\n\r", "\r\n\r\n", {0, 2, 4}},
        {"\r\r\n", "\r\n\r\n", {0, 2, 4}},
        {"\n\n", "\r\n\r\n", {0, 2, 4}},
        {"eins\r\nzwei\ndrei\rvier", "eins\r\nzwei\r\ndrei\r\nvier", {0, 6, 12, 18}},
        {std::string("a\0b\r\n\0", 6), "a?b\r\n?", {0, 5}},
        // Long clean runs go eight bytes at a time; the breaks in them must still count.
        {"0123456789abcdef\r\n0123456789abcdef\r\nx", "0123456789abcdef\r\n0123456789abcdef\r\nx", {0, 18, 36}},
        {"0123456789abcdef\t\x01\x7f\xff\r\n", "0123456789abcdef\t\x01\x7f\xff\r\n", {0, 22}},
    };
    for (const LinesCase& c : cases) {
        const TextModel model = Made(c.bytes);
        EXPECT_EQ(model.Text(), c.text) << testing::PrintToString(c.bytes);
        EXPECT_EQ(LineStarts(model), c.starts) << testing::PrintToString(c.bytes);
    }
}

TEST(TextModelLines, LineEndsStopBeforeTheBreak) {
    const TextModel model = Made("GET FILE.\r\n\r\nEXECUTE.");
    ASSERT_EQ(model.LineCount(), 3u);
    EXPECT_EQ(model.LineEnd(0), 9u);
    EXPECT_EQ(model.LineLength(1), 0u);
    EXPECT_EQ(model.LineEnd(2), model.Length());
}

TEST(TextModelPositions, LineFromPositionAndBack) {
    const TextModel model = Made("ab\r\ncde\r\n\r\nf");  // lines start at 0, 4, 9, 11
    const struct {
        size_t position, line;
    } cases[] = {{0, 0}, {2, 0}, {3, 0}, {4, 1}, {7, 1}, {9, 2}, {11, 3}, {12, 3}, {500, 3}};
    for (const auto& c : cases) {
        EXPECT_EQ(model.LineFromPosition(c.position), c.line) << c.position;
        const size_t start = model.LineStart(c.line);
        EXPECT_LE(start, std::min(c.position, model.Length()));
    }
}

TEST(TextModelPositions, ACaretStepsOverALineBreakAtOnce) {
    const TextModel model = Made("ab\r\nc");
    EXPECT_EQ(model.NextPosition(1), 2u);
    EXPECT_EQ(model.NextPosition(2), 4u);
    EXPECT_EQ(model.PreviousPosition(4), 2u);
    EXPECT_EQ(model.NextPosition(5), 5u);
    EXPECT_EQ(model.PreviousPosition(0), 0u);
    EXPECT_EQ(model.ValidPosition(3), 2u) << "never between CR and LF";
    EXPECT_EQ(model.ValidPosition(99), 5u);
}

// ---- words --------------------------------------------------------------------

TEST(TextModelWords, CtrlArrowsStopAtTheStartsOfWords) {
    //                         0         1         2
    //                         0123456789012345678901 2 3
    const TextModel model = Made("COMPUTE x_1 = a+b.  \r\nEND");
    const struct {
        size_t from, next, previous;
    } cases[] = {
        {0, 8, 0},     // COMPUTE -> x_1; nothing before
        {3, 8, 0},     // inside COMPUTE
        {8, 12, 0},    // x_1 is one word (underscore and digit belong to it)
        {12, 14, 8},   // "=" is a mark of its own
        {14, 15, 12},  // a -> +
        {15, 16, 14},  // + -> b
        {17, 20, 16},  // "." then the blanks up to the line's end
        {20, 22, 17},  // the line's end goes on to the next line; back over the blanks
        {22, 25, 20},  // start of the second line: back to the first line's end
    };
    for (const auto& c : cases) {
        EXPECT_EQ(model.NextWordStart(c.from), c.next) << c.from;
        EXPECT_EQ(model.PreviousWordStart(c.from), c.previous) << c.from;
    }
}

TEST(TextModelWords, ADoubleClickTakesTheRunUnderIt) {
    const TextModel model = Made("FREQUENCIES alter_2 =\xE4nderung.\r\n");
    const struct {
        size_t at, first, last;
    } cases[] = {{0, 0, 11}, {5, 0, 11}, {11, 11, 12}, {14, 12, 19}, {21, 21, 29}, {30, 29, 30}, {31, 29, 30}, {32, 32, 32}};
    for (const auto& c : cases) {
        EXPECT_EQ(model.WordAt(c.at), std::make_pair(c.first, c.last)) << c.at;
    }
    EXPECT_EQ(Made("\r\n").WordAt(0), std::make_pair(size_t{0}, size_t{0})) << "an empty line";
}

// ---- search -------------------------------------------------------------------

size_t Find(const std::string& text, const std::string& what, bool matchCase = false, bool wholeWord = false,
            size_t from = 0, size_t to = TextModel::npos) {
    TextModel::SearchOptions options;
    options.matchCase = matchCase;
    options.wholeWord = wholeWord;
    return Made(text).Find(what, from, to, options);
}

TEST(TextModelSearch, WithoutMatchCaseEveryWindows1252LetterPairFolds) {
    std::vector<std::pair<unsigned char, unsigned char>> pairs;
    for (int c = 'a'; c <= 'z'; ++c) pairs.emplace_back(c, c - 32);
    for (int c = 0xE0; c <= 0xFE; ++c)
        if (c != 0xF7) pairs.emplace_back(c, c - 32);  // not the division sign
    pairs.insert(pairs.end(), {{0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F}});
    for (const auto& [lower, upper] : pairs) {
        const std::string small(1, static_cast<char>(lower)), capital(1, static_cast<char>(upper));
        EXPECT_EQ(Find("-" + small, capital), 1u) << std::hex << int(lower);
        EXPECT_EQ(Find("-" + capital, small), 1u) << std::hex << int(upper);
        EXPECT_EQ(Find("-" + small, capital, true), TextModel::npos) << std::hex << int(lower);
    }
    EXPECT_EQ(Find("Streus\xE4ulen", "STREUS\xC4ULEN"), 0u);
    EXPECT_EQ(Find("f\xFCnf", "F\xDCNF"), 0u);
    EXPECT_EQ(Find("\xD7", "\xF7"), TextModel::npos) << "multiplication and division signs are no letters";
}

TEST(TextModelSearch, WholeWordWantsNoWordCharacterAround) {
    const struct {
        const char* text;
        size_t expected;
    } cases[] = {
        {"alter", 0},           {"alter2", TextModel::npos}, {"2alter", TextModel::npos},
        {"alter_x", TextModel::npos}, {"_alter", TextModel::npos}, {"(alter)", 1},
        {"x=alter.", 2},        {"alter ", 0},               {" alter", 1},
        {"\xE4lter alter", 6},   {"\xE4" "alter", TextModel::npos},  {"alters alter", 7},         {"alter\r\n", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(Find(c.text, "alter", false, true), c.expected) << c.text;
    EXPECT_EQ(Find("alters", "alter"), 0u) << "without whole word a part is enough";
}

TEST(TextModelSearch, RangesEndsAndMisses) {
    const std::string text = "GET FILE.\r\nFREQUENCIES a.\r\nFREQUENCIES b.";
    EXPECT_EQ(Find(text, "frequencies"), 11u);
    EXPECT_EQ(Find(text, "frequencies", false, false, 12), 27u);
    EXPECT_EQ(Find(text, "b."), text.size() - 2) << "a match at the very end";
    EXPECT_EQ(Find(text, "b.", false, false, 0, text.size() - 1), TextModel::npos) << "the match must end in range";
    EXPECT_EQ(Find(text, "REGRESSION"), TextModel::npos);
    EXPECT_EQ(Find(text, ""), TextModel::npos);
    EXPECT_EQ(Find("", "a"), TextModel::npos);
    EXPECT_EQ(Find(text, "GET", false, false, 100), TextModel::npos);
    EXPECT_EQ(Find("aaab", "aab"), 1u) << "overlapping starts";
    EXPECT_EQ(Find(".\r\nF", "\r\nf"), 1u) << "line breaks can be searched for";
}

// ---- growth -------------------------------------------------------------------

// Whatever the old and the new bytes, extending gives the text a fresh Assign
// gives, and only when the old bytes are unchanged at the start.
TEST(TextModelGrowth, ExtendGivesWhatAssignGives) {
    const char alphabet[] = {'a', '\r', '\n', '\0'};
    std::vector<std::string> strings{""};
    for (size_t at = 0; at < strings.size() && strings.size() < 400; ++at)
        for (char c : alphabet) strings.push_back(strings[at] + c);
    for (const std::string& before : strings) {
        for (const std::string& after : strings) {
            if (after.size() > 3) break;
            for (const bool changeStart : {false, true}) {
                std::string grown = before + after;
                if (changeStart && !before.empty()) grown[0] = grown[0] == 'a' ? 'b' : 'a';
                TextModel model = Made(before);
                std::string bytes = grown;
                const bool extended = model.Extend(bytes);
                EXPECT_EQ(extended, !changeStart || before.empty())
                    << testing::PrintToString(before) << " + " << testing::PrintToString(after);
                if (!extended) {
                    EXPECT_EQ(model.Text(), Made(before).Text());
                    continue;
                }
                const TextModel fresh = Made(grown);
                EXPECT_EQ(model.Text(), fresh.Text()) << testing::PrintToString(before) << " + " << testing::PrintToString(after);
                EXPECT_EQ(LineStarts(model), LineStarts(fresh)) << testing::PrintToString(before) << " + " << testing::PrintToString(after);
                // And it grows on from there.
                std::string more = grown + "x\r\n";
                ASSERT_TRUE(model.Extend(more));
                EXPECT_EQ(model.Text(), Made(grown + "x\r\n").Text());
            }
        }
    }
}

TEST(TextModelGrowth, ShorterOrDifferentBytesAreNoGrowth) {
    TextModel model = Made("GET FILE.\r\nEXECUTE.\r\n");
    std::string shorter = "GET FILE.\r\n", changed = "PUT FILE.\r\nEXECUTE.\r\nMORE.";
    EXPECT_FALSE(model.Extend(shorter));
    EXPECT_FALSE(model.Extend(changed));
    EXPECT_EQ(shorter, "GET FILE.\r\n") << "the bytes are left as they were";
    EXPECT_EQ(model.Text(), "GET FILE.\r\nEXECUTE.\r\n");
}

TEST(TextModelGrowth, TheChangedLinesAreNamed) {
    TextModel model = Made("a\r\nb\r\nc");
    EXPECT_EQ(model.FirstChangedLine(), 0u);
    std::string grown = "a\r\nb\r\ncd\r\ne";
    ASSERT_TRUE(model.Extend(grown));
    EXPECT_EQ(model.FirstChangedLine(), 2u) << "the last line went on";
    EXPECT_EQ(model.LineCount(), 4u);
}

}  // namespace

// ---- where characters stand ---------------------------------------------------

namespace {

using platform::TextLayout;

// Every character 5 pixels wide, 'W' 10.
TextLayout::CharWidths Widths() {
    TextLayout::CharWidths widths;
    widths.fill(5);
    widths['W'] = 10;
    return widths;
}

TEST(TextLayout, CharactersAdvanceByTheirWidthAndTabsToTheNextStop) {
    const TextModel model = Made("abW\tx\r\n\t\tz\r\nWWWWWWWWWWWWW");
    TextLayout layout(model);
    layout.SetCharWidths(Widths());
    layout.MeasureFrom(0);
    EXPECT_EQ(layout.XOfPosition(2), 10);
    EXPECT_EQ(layout.XOfPosition(3), 20);
    EXPECT_EQ(layout.XOfPosition(4), 48) << "a tab goes to the next stop";
    EXPECT_EQ(layout.XOfPosition(5), 53);
    EXPECT_EQ(layout.XOfPosition(9), 96) << "two tabs, two stops";
    EXPECT_EQ(layout.Widest(), 130) << "thirteen W";
    EXPECT_EQ(layout.ColumnAt(0, 12, false), 2u) << "x falls on the W";
    EXPECT_EQ(layout.ColumnAt(0, 12, true), 2u) << "nearer its left edge";
    EXPECT_EQ(layout.ColumnAt(0, 18, true), 3u) << "nearer its right edge";
    EXPECT_EQ(layout.ColumnAt(0, 999, true), 5u) << "past the end: the line's end";
}

TEST(TextLayout, ALineOfMegabytesIsMeasuredFromItsNearestMark) {
    std::string line;
    for (int i = 0; line.size() < 3 * 1000 * 1000; ++i) line += (i % 7 == 0) ? "\tW" : "abc";
    const TextModel model = Made(line);
    TextLayout layout(model);
    layout.SetCharWidths(Widths());
    layout.MeasureFrom(0);
    std::int64_t x = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        if (i % 99991 == 0 || i + 1 == line.size()) {
            ASSERT_EQ(layout.XOfPosition(i), x) << i;
            ASSERT_EQ(layout.ColumnAt(0, x, false), i) << i;
            std::int64_t left = -1;
            ASSERT_EQ(layout.ColumnAt(0, x + 1, false, &left), i) << i;
            ASSERT_EQ(left, x) << "where the column starts, from inside its character";
        }
        x = layout.Advance(x, line[i]);
    }
    EXPECT_EQ(layout.Widest(), x);
}

TEST(TextLayout, AGrownTextIsMeasuredFromItsFirstChangedLine) {
    TextModel model = Made("short\r\nlonger line\r\nab");
    TextLayout layout(model);
    layout.SetCharWidths(Widths());
    layout.MeasureFrom(0);
    EXPECT_EQ(layout.Widest(), 55);
    std::string grown = "short\r\nlonger line\r\nab" + std::string(20, 'W');
    ASSERT_TRUE(model.Extend(grown));
    layout.MeasureFrom(model.FirstChangedLine());
    EXPECT_EQ(layout.Widest(), 210);
}

}  // namespace

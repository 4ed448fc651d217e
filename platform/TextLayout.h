// Where the characters of a text stand on their lines, in pixels, with no
// window: each character advances by its width in the font, a tab to the next
// stop. Knows the widest line (the horizontal scroll range), and keeps marks in
// long lines so that a place deep in a line of megabytes is found without
// measuring all that comes before it.
#pragma once

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "TextModel.h"

namespace platform {

class TextLayout {
public:
    static constexpr int kTabStop = 48;  // pixels between tab stops
    using CharWidths = std::array<int, 256>;

    explicit TextLayout(const TextModel& model) : model_(model) {}

    // The advance of every character in the font; measure again afterwards.
    void SetCharWidths(const CharWidths& widths) { widths_ = widths; }
    // After the model changed from this line on (0: all of it).
    void MeasureFrom(size_t firstLine);

    std::int64_t Widest() const { return widest_; }
    // Where a character that starts at x ends.
    std::int64_t Advance(std::int64_t x, char c) const;
    // How far into its line the position stands.
    std::int64_t XOfPosition(size_t position) const;
    // The column of a line at x: the character x falls on, or with nearest the
    // boundary nearest to x. Where that column starts goes to *columnLeft.
    size_t ColumnAt(size_t line, std::int64_t x, bool nearest, std::int64_t* columnLeft = nullptr) const;

private:
    std::int64_t MeasureLongLine(size_t line);

    const TextModel& model_;
    CharWidths widths_{};
    std::int64_t widest_ = 0;
    // Offsets within long lines every kStride characters.
    static constexpr size_t kStride = 4096;
    std::unordered_map<size_t, std::vector<std::int64_t>> strideX_;
};

}  // namespace platform

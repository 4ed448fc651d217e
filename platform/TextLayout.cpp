#include "TextLayout.h"

#include <algorithm>

namespace platform {

std::int64_t TextLayout::Advance(std::int64_t x, char c) const {
    if (c == '\t') return (x / kTabStop + 1) * kTabStop;
    return x + widths_[static_cast<unsigned char>(c)];
}

std::int64_t TextLayout::MeasureLongLine(size_t line) {
    const std::string& text = model_.Text();
    const size_t start = model_.LineStart(line), end = model_.LineEnd(line);
    std::vector<std::int64_t>& marks = strideX_[line];
    marks.clear();
    std::int64_t x = 0;
    for (size_t i = start; i < end; ++i) {
        if ((i - start) % kStride == 0) marks.push_back(x);
        x = Advance(x, text[i]);
    }
    return x;
}

void TextLayout::MeasureFrom(size_t firstLine) {
    if (firstLine == 0) {
        strideX_.clear();
        widest_ = 0;
    } else {
        strideX_.erase(firstLine);  // the line went on
    }
    // Every character of every line once: this loop is most of a full reload
    // after the reading, so it stays plain.
    const char* text = model_.Text().data();
    const int* widths = widths_.data();
    std::int64_t widest = widest_;
    for (size_t line = firstLine; line < model_.LineCount(); ++line) {
        const size_t start = model_.LineStart(line), end = model_.LineEnd(line);
        if (end - start > kStride) {
            widest = std::max(widest, MeasureLongLine(line));
            continue;
        }
        int x = 0;  // a short line cannot overflow it
        for (size_t i = start; i < end; ++i) {
            const unsigned char c = static_cast<unsigned char>(text[i]);
            x = c == '\t' ? (x / kTabStop + 1) * kTabStop : x + widths[c];
        }
        widest = std::max<std::int64_t>(widest, x);
    }
    widest_ = widest;
}

std::int64_t TextLayout::XOfPosition(size_t position) const {
    const size_t line = model_.LineFromPosition(position);
    const size_t start = model_.LineStart(line);
    const size_t column = std::min(position, model_.LineEnd(line)) - start;
    std::int64_t x = 0;
    size_t from = 0;
    if (auto marks = strideX_.find(line); marks != strideX_.end()) {
        from = std::min(column / kStride, marks->second.size() - 1) * kStride;
        x = marks->second[from / kStride];
    }
    const std::string& text = model_.Text();
    for (size_t i = start + from; i < start + column; ++i) x = Advance(x, text[i]);
    return x;
}

size_t TextLayout::ColumnAt(size_t line, std::int64_t x, bool nearest, std::int64_t* columnLeft) const {
    const size_t start = model_.LineStart(line), end = model_.LineEnd(line);
    size_t column = 0;
    std::int64_t left = 0;
    if (auto marks = strideX_.find(line); marks != strideX_.end()) {
        const auto& m = marks->second;
        const size_t k = static_cast<size_t>(std::upper_bound(m.begin(), m.end(), x) - m.begin());
        if (k > 0) {
            column = (k - 1) * kStride;
            left = m[k - 1];
        }
    }
    const std::string& text = model_.Text();
    for (size_t i = start + column; i < end; ++i, ++column) {
        const std::int64_t right = Advance(left, text[i]);
        if (x < right) {
            const bool after = nearest && x - left > right - x;
            if (columnLeft) *columnLeft = after ? right : left;
            return column + (after ? 1 : 0);
        }
        left = right;
    }
    if (columnLeft) *columnLeft = left;
    return end - start;
}

}  // namespace platform

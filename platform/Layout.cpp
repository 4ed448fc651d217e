#include "Layout.h"

#include <cctype>
#include <cstdlib>

#include "Errors.h"

namespace platform {

std::string LayoutEntry::Text(const std::string& key, const std::string& fallback) const {
    const auto it = values_.find(key);
    return it == values_.end() ? fallback : it->second;
}

int LayoutEntry::Int(const std::string& key, int fallback) const {
    const auto it = values_.find(key);
    if (it == values_.end()) return fallback;
    char* end = nullptr;
    const long value = std::strtol(it->second.c_str(), &end, 10);
    if (it->second.empty() || *end != '\0') throw Error("Layout: " + name_ + "." + key + " is not a number");
    return static_cast<int>(value);
}

bool LayoutEntry::Bool(const std::string& key, bool fallback) const {
    const auto it = values_.find(key);
    if (it == values_.end()) return fallback;
    if (it->second == "true") return true;
    if (it->second == "false") return false;
    throw Error("Layout: " + name_ + "." + key + " is neither true nor false");
}

namespace {

class LineReader {
public:
    LineReader(const std::string& line, int number) : line_(line), number_(number) {}

    bool AtEnd() {
        SkipBlanks();
        return pos_ >= line_.size();
    }

    std::string Word() {
        SkipBlanks();
        const size_t start = pos_;
        while (pos_ < line_.size() && !IsBlank(line_[pos_]) && line_[pos_] != '=') ++pos_;
        if (start == pos_) Fail("a name is missing");
        return line_.substr(start, pos_ - start);
    }

    void Expect(char c) {
        if (pos_ >= line_.size() || line_[pos_] != c) Fail(std::string("'") + c + "' expected");
        ++pos_;
    }

    std::string Value() {
        if (pos_ < line_.size() && line_[pos_] == '"') return Quoted();
        return Word();
    }

private:
    static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
    void SkipBlanks() {
        while (pos_ < line_.size() && IsBlank(line_[pos_])) ++pos_;
    }

    std::string Quoted() {
        ++pos_;
        std::string value;
        while (pos_ < line_.size() && line_[pos_] != '"') {
            char c = line_[pos_++];
            if (c == '\\' && pos_ < line_.size()) {
                if (line_[pos_] == '"') {
                    c = '"';
                    ++pos_;
                } else if (line_[pos_] == 'r') {
                    c = '\r';
                    ++pos_;
                }
            }
            value += c;
        }
        Expect('"');
        return value;
    }

    [[noreturn]] void Fail(const std::string& what) const {
        throw Error("Layout line " + std::to_string(number_) + ": " + what);
    }

    const std::string& line_;
    int number_;
    size_t pos_ = 0;
};

}  // namespace

std::vector<LayoutEntry> ParseLayout(const std::string& text) {
    std::vector<LayoutEntry> entries;
    size_t start = 0;
    int number = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        ++number;

        LineReader reader(line, number);
        if (reader.AtEnd()) continue;
        const size_t first = line.find_first_not_of(" \t");
        if (line[first] == '#') continue;

        const std::string kind = reader.Word();
        LayoutEntry entry(kind, reader.Word());
        while (!reader.AtEnd()) {
            const std::string key = reader.Word();
            reader.Expect('=');
            entry.Set(key, reader.Value());
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace platform

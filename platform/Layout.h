// The declarative window layouts: one line per component,
//   Kind Name Key=Value Key="quoted value" ...
// '#' starts a comment line. In quoted values \" stands for a double quote and
// \r for a carriage return; every other backslash is itself.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace platform {

class LayoutEntry {
public:
    LayoutEntry(std::string kind, std::string name) : kind_(std::move(kind)), name_(std::move(name)) {}

    const std::string& Kind() const { return kind_; }
    const std::string& Name() const { return name_; }

    void Set(const std::string& key, std::string value) { values_[key] = std::move(value); }
    bool Has(const std::string& key) const { return values_.count(key) != 0; }
    std::string Text(const std::string& key, const std::string& fallback = {}) const;
    int Int(const std::string& key, int fallback = 0) const;
    bool Bool(const std::string& key, bool fallback) const;

private:
    std::string kind_;
    std::string name_;
    std::map<std::string, std::string> values_;
};

// Parses a layout; throws platform::Error naming the line on malformed input.
std::vector<LayoutEntry> ParseLayout(const std::string& text);

}  // namespace platform

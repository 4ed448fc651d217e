// Conversions between the encodings the program meets.
#pragma once

#include <string>

namespace platform {

// Resource texts (layouts, help) are kept as UTF-8; the ANSI API wants
// Windows-1252 bytes, whatever the system's code page.
std::string Utf8ToWindows1252(const std::string& utf8);

// Lower case of a string as the system's code page has it ("Ä" becomes "ä").
std::string Lower(std::string text);

}  // namespace platform

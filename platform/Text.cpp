#include "Text.h"

#include <windows.h>

#include <vector>

namespace platform {

namespace {
constexpr UINT kWindows1252 = 1252;
}

std::string Utf8ToWindows1252(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int wideLength = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(wideLength));
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), wideLength);
    const int length = ::WideCharToMultiByte(kWindows1252, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(kWindows1252, 0, wide.data(), wideLength, result.data(), length, nullptr, nullptr);
    return result;
}

std::string Lower(std::string text) {
    if (!text.empty()) ::CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace platform

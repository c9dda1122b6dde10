#include <windows.h>

#include "framework/WinUtf.h"

namespace trimwell {

namespace {

std::wstring toWide(UINT codePage, std::string_view s) {
    if (s.empty()) return {};
    const int n = MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
    return out;
}

std::string fromWide(UINT codePage, std::wstring_view s) {
    if (s.empty()) return {};
    const int n = WideCharToMultiByte(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) { return toWide(CP_UTF8, utf8); }
std::string WideToUtf8(std::wstring_view wide) { return fromWide(CP_UTF8, wide); }
std::wstring AnsiToWide(std::string_view ansi) { return toWide(CP_ACP, ansi); }
std::string WideToAnsi(std::wstring_view wide) { return fromWide(CP_ACP, wide); }

}  // namespace trimwell

#pragma once
// Conversions between the program's UTF-8 paths, the system's 8-bit code page and UTF-16.
#include <string>
#include <string_view>

namespace trimwell {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
// 8-bit text in the system's ANSI code page, as names and values of profile files are.
std::wstring AnsiToWide(std::string_view ansi);
std::string WideToAnsi(std::wstring_view wide);

}  // namespace trimwell

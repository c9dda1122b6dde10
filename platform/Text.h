#pragma once
// Conversions between the program's UTF-8 paths, the system's 8-bit code page and UTF-16. The
// wide and 8-bit forms exist on Windows only; a path shows unchanged elsewhere.
#include <string>
#include <string_view>

namespace trimwell {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
// 8-bit text in the system's ANSI code page, as names and values of profile files are.
std::wstring AnsiToWide(std::string_view ansi);
std::string WideToAnsi(std::wstring_view wide);

// A UTF-8 path as the system's 8-bit file functions (the shell, the sound player) must be given
// it so that it names the same file: in the ANSI code page, or, when that cannot spell the name,
// the path's short form.
std::string AnsiFileName(const std::string& path);

// A path as the system's 8-bit text functions and message boxes show it: the ANSI code page on
// Windows (characters it lacks become '?'), unchanged elsewhere.
std::string PathForDisplay(const std::string& path);

#ifdef _WIN32
static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 text is handed to the wide API as is");
inline const wchar_t* WidePtr(std::u16string_view s) { return reinterpret_cast<const wchar_t*>(s.data()); }
#endif

}  // namespace trimwell

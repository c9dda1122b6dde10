#include <windows.h>

#include <optional>

#include "platform/Text.h"

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

// The short form of an existing path, or nothing where the volume keeps no short names.
std::optional<std::wstring> shortPathOf(const std::wstring& path) {
    const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return std::nullopt;
    std::wstring shortPath(size, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), size);
    if (length == 0 || length >= size) return std::nullopt;
    shortPath.resize(length);
    return shortPath;
}

bool spellsExactly(const std::string& ansi, const std::wstring& wide) { return AnsiToWide(ansi) == wide; }

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) { return toWide(CP_UTF8, utf8); }
std::string WideToUtf8(std::wstring_view wide) { return fromWide(CP_UTF8, wide); }
std::wstring AnsiToWide(std::string_view ansi) { return toWide(CP_ACP, ansi); }
std::string WideToAnsi(std::wstring_view wide) { return fromWide(CP_ACP, wide); }

std::string AnsiFileName(const std::string& path) {
    const std::wstring wide = Utf8ToWide(path);
    const std::string ansi = WideToAnsi(wide);
    if (spellsExactly(ansi, wide)) return ansi;
    // A name the code page cannot spell would name no file, or with a best-fit letter another
    // one; the short form of the path is plain ASCII.
    const std::optional<std::wstring> shortPath = shortPathOf(wide);
    if (!shortPath) return ansi;
    const std::string shortAnsi = WideToAnsi(*shortPath);
    return spellsExactly(shortAnsi, *shortPath) ? shortAnsi : ansi;
}

std::string PathForDisplay(const std::string& path) { return WideToAnsi(Utf8ToWide(path)); }

}  // namespace trimwell

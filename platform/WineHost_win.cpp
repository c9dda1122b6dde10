#include "platform/WineHost_win.h"

#include "platform/Text.h"

namespace trimwell {

namespace {

// One argument of a Windows command line, quoted so that the usual splitting gives it back whole:
// backslashes double only where a quote follows them.
std::wstring quotedArgument(const std::wstring& arg) {
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out.push_back(c);
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

bool RunningUnderWine() {
    static const bool underWine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    return underWine;
}

std::optional<std::string> UnixPathOf(const std::wstring& windowsPath) {
    using Convert = char*(CDECL*)(const wchar_t*);
    static const auto convert =
        reinterpret_cast<Convert>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
    if (!convert) return std::nullopt;
    char* const unixPath = convert(windowsPath.c_str());
    if (!unixPath) return std::nullopt;
    std::string out(unixPath);
    HeapFree(GetProcessHeap(), 0, unixPath);
    return out;
}

bool RunUnixShellUntilGone(const std::string& script, const std::vector<std::string>& args,
                           const std::wstring& watched, DWORD timeoutMs) {
    std::wstring commandLine = L"/bin/sh -c " + quotedArgument(Utf8ToWide(script)) + L" trimwell";
    for (const auto& arg : args) commandLine += L" " + quotedArgument(Utf8ToWide(arg));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // The \\?\unix\ prefix names a Unix path whatever drive letters the Wine prefix maps.
    if (!CreateProcessW(L"\\\\?\\unix\\bin\\sh", commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process))
        return false;
    if (process.hThread) CloseHandle(process.hThread);
    if (process.hProcess) CloseHandle(process.hProcess);
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (exists(watched)) {
        if (GetTickCount64() >= deadline) return false;
        Sleep(1);
    }
    return true;
}

}  // namespace trimwell

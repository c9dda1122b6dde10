#include "platform/Shell_win.h"

#include <commdlg.h>

#include <vector>

#include "platform/Text.h"

namespace trimwell {

namespace {

// The dialog, shell and sound libraries are loaded on first use: loading them with the program
// would cost every start a good part of its time, for calls most sessions never make. They stay
// loaded until the program ends.
template <typename F>
F systemProc(const wchar_t* library, const char* name) {
    HMODULE module = GetModuleHandleW(library);
    if (module == nullptr) module = LoadLibraryW(library);
    return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

int realMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
    return MessageBoxW(owner, AnsiToWide(text).c_str(), AnsiToWide(caption).c_str(), type);
}

std::optional<std::wstring> realOpenFile(HWND owner, const OpenFileRequest& request) {
    // Filter: shown text, pattern, then an empty pair.
    std::wstring filter = request.filterText;
    filter.push_back(L'\0');
    filter += request.filterPattern;
    filter.push_back(L'\0');
    filter.push_back(L'\0');
    // Room for the longest path the system accepts.
    std::vector<wchar_t> file(32768, L'\0');
    request.fileName.copy(file.data(), std::min(request.fileName.size(), file.size() - 1));
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = request.initialDir.empty() ? nullptr : request.initialDir.c_str();
    ofn.lpstrTitle = request.title.c_str();
    ofn.lpstrDefExt = request.defaultExt.empty() ? nullptr : request.defaultExt.c_str();
    ofn.Flags = request.flags;
    const auto getOpenFileName = systemProc<BOOL(WINAPI*)(OPENFILENAMEW*)>(L"comdlg32.dll", "GetOpenFileNameW");
    if (getOpenFileName == nullptr || !getOpenFileName(&ofn)) return std::nullopt;
    return std::wstring(file.data());
}

void realShellOpen(const std::string& target) {
    using ShellExecuteFn = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    if (const auto shellExecute = systemProc<ShellExecuteFn>(L"shell32.dll", "ShellExecuteA"))
        shellExecute(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void realPlaySound(const std::string& file, UINT flags) {
    if (const auto play = systemProc<BOOL(WINAPI*)(LPCSTR, UINT)>(L"winmm.dll", "sndPlaySoundA")) play(file.c_str(), flags);
}

void realCaptionPress(HWND window, WPARAM hitTest, LPARAM point) {
    SendMessageW(window, WM_NCLBUTTONDOWN, hitTest, point);
}

PlatformCalls defaults() { return {realMessageBox, realOpenFile, realShellOpen, realPlaySound, realCaptionPress}; }

}  // namespace

PlatformCalls& Platform() {
    static PlatformCalls calls = defaults();
    return calls;
}

void ResetPlatform() { Platform() = defaults(); }

}  // namespace trimwell

#include <windows.h>

#include "framework/Controls_win.h"
#include "platform/Text.h"
#include "skin/SUIMgr.h"

namespace trimwell {

namespace {

std::string folderOf(UINT (*query)(LPWSTR, UINT)) {
    wchar_t buffer[MAX_PATH];
    const UINT n = query(buffer, MAX_PATH);
    return n > 0 && n < MAX_PATH ? WideToUtf8(std::wstring_view(buffer, n)) : std::string();
}

UINT WINAPI windowsFolder(LPWSTR b, UINT n) { return GetWindowsDirectoryW(b, n); }
UINT WINAPI systemFolder(LPWSTR b, UINT n) { return GetSystemDirectoryW(b, n); }

std::string programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return WideToUtf8(path.substr(0, path.find_last_of(L"\\/") + 1));
}

}  // namespace

std::vector<std::string> ThemeSearchFolders() {
    std::vector<std::string> folders;
    for (std::string f : {programFolder(), folderOf(windowsFolder), folderOf(systemFolder)})
        if (!f.empty()) folders.push_back(std::move(f));
    return folders;
}

void RecomputeFormFrame(TComponent& form) {
    auto* window = dynamic_cast<TWinControl*>(&form);
    if (window == nullptr || !window->HandleAllocated()) return;
    SetWindowPos(window->Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace trimwell

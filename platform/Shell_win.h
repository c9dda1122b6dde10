#pragma once
// The platform calls that show something outside the program's own windows or start something:
// message boxes, the open-file dialog, opening files and web pages, playing sounds. Each is a
// replaceable function so that tests can answer a dialog or record a launch instead of waiting
// for a user. By default they make the real calls.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace trimwell {

struct OpenFileRequest {
    std::wstring title;
    std::wstring filterText;     // shown text of the one filter
    std::wstring filterPattern;  // e.g. *.cfg
    std::wstring initialDir;
    std::wstring fileName;       // initial file name
    std::wstring defaultExt;
    DWORD flags = 0;             // OFN_* options
};

struct PlatformCalls {
    // 8-bit text and caption; returns the button pressed.
    std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT type)> messageBox;
    // The chosen full path (UTF-16), or nothing when cancelled.
    std::function<std::optional<std::wstring>(HWND owner, const OpenFileRequest&)> openFile;
    // ShellExecuteA with the verb "open"; 8-bit file or address.
    std::function<void(const std::string& target)> shellOpen;
    // sndPlaySoundA with the given flags; 8-bit file name.
    std::function<void(const std::string& file, UINT flags)> playSound;
    // Starts the window system's own move loop for `window` as a press on its caption does:
    // sends WM_NCLBUTTONDOWN with the hit-test code and point. Returns when the move ends.
    std::function<void(HWND window, WPARAM hitTest, LPARAM point)> captionPress;
};

// The calls in use; tests may replace members and call ResetPlatform afterwards.
PlatformCalls& Platform();
void ResetPlatform();

}  // namespace trimwell

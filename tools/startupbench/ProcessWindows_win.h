#pragma once
// Starting the editor for a benchmark, finding its shown top-level windows and waiting for them.
#include <windows.h>

#include <string>

#include "platform/Handles_win.h"

namespace startupbench {

struct WindowSearch {
    DWORD pid;
    HWND except = nullptr;  // a window already known, passed over
    HWND found = nullptr;
};

inline BOOL CALLBACK FindShownWindow(HWND hwnd, LPARAM p) {
    auto* s = reinterpret_cast<WindowSearch*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    RECT r{};
    GetWindowRect(hwnd, &r);
    if (pid == s->pid && hwnd != s->except && IsWindowVisible(hwnd) && r.right - r.left > 1) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A shown window of the process other than `except`, or null.
inline HWND ShownWindowOf(DWORD pid, HWND except = nullptr) {
    WindowSearch s{pid, except};
    EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// Polls `done` every 5 ms for at most `ms`; whether it came true.
template <class Predicate>
bool WaitFor(Predicate done, int ms) {
    for (int waited = 0; waited < ms; waited += 5) {
        if (done()) return true;
        Sleep(5);
    }
    return false;
}

// A program started from a command line, ended when this goes out of scope if still running.
struct StartedProgram {
    trimwell::UniqueKernelHandle process, thread;
    DWORD pid = 0;

    explicit StartedProgram(std::wstring commandLine) {
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
        process = trimwell::UniqueKernelHandle(pi.hProcess);
        thread = trimwell::UniqueKernelHandle(pi.hThread);
        pid = pi.dwProcessId;
    }
    ~StartedProgram() {
        if (!process) return;
        TerminateProcess(process.get(), 0);
        WaitForSingleObject(process.get(), 10000);
    }
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    // The program's first shown window once its thread waits for input, or null after `ms`.
    HWND WaitForShownIdleWindow(int ms) const {
        HWND window = nullptr;
        if (!process) return nullptr;
        WaitFor([&] { return WaitForInputIdle(process.get(), 10) == 0 && (window = ShownWindowOf(pid)) != nullptr; }, ms);
        return window;
    }
};

}  // namespace startupbench

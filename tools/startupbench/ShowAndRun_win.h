#pragma once
// What the benchmark's reference programs do once their window is built: show it, paint it, and
// handle messages until it is closed.
#include <windows.h>

namespace startupbench {

inline void ShowAndRun(HWND window, int show) {
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace startupbench

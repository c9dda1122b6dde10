// The reference for the start-up benchmark: a program that only opens a window of the editor's
// size and colour and runs its message loop.
#include <windows.h>

#include "framework/Graphics_win.h"
#include "tools/startupbench/ShowAndRun_win.h"

namespace {
LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    const trimwell::UniqueBrush background(CreateSolidBrush(0x00F7FFF7));
    wc.hbrBackground = background.get();
    wc.lpszClassName = L"BareWindow";
    RegisterClassExW(&wc);
    const HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Bare window", WS_POPUP, 390, 328, 500, 368, nullptr,
                                      nullptr, instance, nullptr);
    startupbench::ShowAndRun(hwnd, show);
    return 0;
}

// Program entry: the application titled "Trimwell" and its borderless main window.
#include <windows.h>

namespace {

constexpr int kClientWidth = 500;
constexpr int kClientHeight = 368;
constexpr COLORREF kBackground = 0x00F7FFF7;

LRESULT CALLBACK mainWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_KEYDOWN:
            if (wp == VK_ESCAPE) DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    const HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = mainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = CreateSolidBrush(kBackground);
    wc.lpszClassName = L"TfrmMain_Trimwell";
    RegisterClassExW(&wc);

    // The task bar shows the application's own window, titled with the application title; the
    // main window it owns carries the window text.
    WNDCLASSEXW appClass{sizeof appClass};
    appClass.lpfnWndProc = DefWindowProcW;
    appClass.hInstance = instance;
    appClass.hIcon = icon;
    appClass.lpszClassName = L"TApplication";
    RegisterClassExW(&appClass);
    const int cx = GetSystemMetrics(SM_CXSCREEN) / 2, cy = GetSystemMetrics(SM_CYSCREEN) / 2;
    const HWND application = CreateWindowExW(0, appClass.lpszClassName, L"Trimwell",
                                             WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, cx, cy, 0, 0,
                                             nullptr, nullptr, instance, nullptr);
    ShowWindow(application, SW_SHOWNOACTIVATE);

    const int x = (GetSystemMetrics(SM_CXSCREEN) - kClientWidth) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - kClientHeight) / 2;
    const HWND main = CreateWindowExW(0, wc.lpszClassName, L"Corvane - Trimwell", WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, x, y,
                                      kClientWidth, kClientHeight, application, nullptr, instance, nullptr);
    ShowWindow(main, show);
    UpdateWindow(main);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DestroyWindow(application);
    return static_cast<int>(msg.wParam);
}

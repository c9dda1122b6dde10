// The program itself, started as its own process on the test's simulator installation and driven
// from outside with the system's mouse and keyboard input, as a user drives it.
#include "EditorFixture.h"

#include <chrono>
#include <functional>
#include <thread>

#include "platform/Handles_win.h"

using namespace trimwell;
using namespace trimwell::test;

namespace {

std::wstring programBeside(const wchar_t* name) {
    wchar_t self[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, n);
    return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

// Polls until `done` holds, for at most `seconds`.
bool waitFor(const std::function<bool()>& done, int seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

struct Found {
    DWORD process;
    const wchar_t* className;
    HWND window = nullptr;
};

BOOL CALLBACK findByClass(HWND window, LPARAM p) {
    auto* f = reinterpret_cast<Found*>(p);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    if (process != f->process || std::wstring_view(name) != f->className) return TRUE;
    f->window = window;
    return FALSE;
}

HWND topWindow(DWORD process, const wchar_t* className) {
    Found f{process, className};
    EnumWindows(findByClass, reinterpret_cast<LPARAM>(&f));
    return f.window;
}

GUITHREADINFO inputState(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

void clickAt(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
}

}  // namespace

// With no window manager to pick the next window, a closing notice must hand the activation back
// itself: the main window is active again and the keyboard focus is on one of its controls.
TEST_F(EditorTest, TheProgramIsActiveAgainAfterANotice) {
    const std::string fileBefore = readFile(c172());
    std::wstring command = L"\"" + programBeside(L"Trimwell.exe") + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started));
    const UniqueKernelHandle process(started.hProcess), thread(started.hThread);
    struct Ended {
        HANDLE process;
        ~Ended() {
            TerminateProcess(process, 0);
            WaitForSingleObject(process, 10000);
        }
    } ended{process.get()};

    HWND mainWindow = nullptr;
    ASSERT_TRUE(waitFor([&] {
        mainWindow = topWindow(started.dwProcessId, L"TfrmMain_Trimwell");
        return mainWindow != nullptr && IsWindowVisible(mainWindow) && inputState(mainWindow).hwndActive == mainWindow;
    }, 30));

    // Into the value box, which is empty: Save Key (Alt+S) shows the "Value Box Blank..." notice
    // and writes nothing.
    POINT valueBox{262, 232};
    ClientToScreen(mainWindow, &valueBox);
    clickAt(valueBox);
    ASSERT_TRUE(waitFor([&] { return IsChild(mainWindow, inputState(mainWindow).hwndFocus) != FALSE; }, 5));
    pressAltKey('S');
    HWND notice = nullptr;
    ASSERT_TRUE(waitFor([&] {
        notice = topWindow(started.dwProcessId, L"TfrmDialog");
        return notice != nullptr && IsWindowVisible(notice);
    }, 10));
    ASSERT_TRUE(waitFor([&] { return !IsWindowVisible(notice); }, 15));

    EXPECT_TRUE(waitFor([&] { return inputState(mainWindow).hwndActive == mainWindow; }, 2))
        << "the active window is " << inputState(mainWindow).hwndActive << ", the notice " << notice;
    EXPECT_TRUE(IsChild(mainWindow, inputState(mainWindow).hwndFocus));
    EXPECT_EQ(readFile(c172()), fileBefore);
}

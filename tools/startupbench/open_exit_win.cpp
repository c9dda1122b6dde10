// open_exit EDITOR
// Starts the editor and measures the time until its window is shown and idle (the aircraft file
// opened into the tree), then presses Exit and measures the time until the process has ended
// (the tree and its nodes taken down). Prints both in milliseconds on one line: "OPEN EXIT".
#include <windows.h>

#include <cstdio>

#include "tools/startupbench/BenchClock_win.h"
#include "tools/startupbench/ProcessWindows_win.h"

int wmain(int argc, wchar_t** argv) {
    using namespace startupbench;
    if (argc != 2) return Fail("usage: open_exit EDITOR   (a command line)", 2);
    const Stopwatch opening;
    const StartedProgram editor(argv[1]);
    if (!editor.process) return Fail("the editor did not start");
    const HWND main = editor.WaitForShownIdleWindow(600000);
    if (main == nullptr) return Fail("the editor's window did not come up");
    const double openMs = 1000 * opening.Seconds();
    const HWND exit = FindWindowExW(main, nullptr, nullptr, L"&Exit");
    if (exit == nullptr) return Fail("the editor's Exit button was not found");
    const Stopwatch exiting;
    PostMessageW(exit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(exit, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    if (WaitForSingleObject(editor.process.get(), 600000) != WAIT_OBJECT_0) return Fail("the editor did not end");
    std::printf("%.1f %.1f\n", openMs, 1000 * exiting.Seconds());
    return 0;
}

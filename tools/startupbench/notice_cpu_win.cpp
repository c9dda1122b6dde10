// notice_cpu EDITOR
// Starts the editor, clicks the first key of its tree, presses Save Key and writes a line
// "pressed" at the press and "gone MS" once the "Saved..." notice has gone, MS being the wall time
// in between. Whoever runs it reads the editor's processor time at the two lines: Wine does not
// tell one process the processor time of another, the system under it does.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "tools/startupbench/BenchClock_win.h"
#include "tools/startupbench/ProcessWindows_win.h"

namespace {

using namespace startupbench;

int measure(const StartedProgram& editor) {
    const HWND main = editor.WaitForShownIdleWindow(15000);
    if (main == nullptr) return Fail("the editor's window did not come up");
    const HWND tree = FindWindowExW(main, nullptr, WC_TREEVIEWW, nullptr);
    const HWND save = FindWindowExW(main, nullptr, nullptr, L"&Save Key");
    if (tree == nullptr || save == nullptr) return Fail("the editor's tree or Save Key button was not found");
    // A click on the first key of the first section (the second row, with its section open)
    // reads the key's value into the value box.
    const LPARAM section = SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, section);
    SendMessageW(tree, TVM_ENSUREVISIBLE, 0, section);
    const int row = static_cast<int>(SendMessageW(tree, TVM_GETITEMHEIGHT, 0, 0));
    const LPARAM onKey = MAKELPARAM(60, row + row / 2);
    PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, onKey);
    PostMessageW(tree, WM_LBUTTONUP, 0, onKey);
    Sleep(1000);  // let the editor settle

    const Stopwatch wall;
    PostMessageW(save, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(save, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    std::printf("pressed\n");
    std::fflush(stdout);
    HWND notice = nullptr;
    if (!WaitFor([&] { return (notice = ShownWindowOf(editor.pid, main)) != nullptr; }, 3000) ||
        !WaitFor([&] { return !IsWindowVisible(notice); }, 10000))
        return Fail("the notice did not come and go");
    std::printf("gone %.0f\n", 1000 * wall.Seconds());
    std::fflush(stdout);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return Fail("usage: notice_cpu EDITOR   (a command line)", 2);
    const StartedProgram editor(argv[1]);
    if (!editor.process) return Fail("the editor did not start");
    return measure(editor);
}

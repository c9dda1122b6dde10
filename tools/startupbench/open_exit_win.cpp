// open_exit EDITOR [OTHER_FILE]
// Starts the editor and measures the time until its window is shown and idle (the aircraft file
// opened into the tree), then presses Exit and measures the time until the process has ended
// (the tree and its nodes taken down). Prints both in milliseconds on one line: "OPEN EXIT".
// With OTHER_FILE, Load CFG opens that file between the two and the time from the tree's hiding
// after the file dialog until it shows again, its two pauses of a second included, comes between
// them on the line: "OPEN RELOAD EXIT".
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "tools/startupbench/BenchClock_win.h"
#include "tools/startupbench/ProcessWindows_win.h"

namespace {

using namespace startupbench;

constexpr int kFileNameCombo = 0x47c;  // the file dialog's name field (cmb13)
constexpr int kFileNameEdit = 0x480;   // its older form (edt1)

void Press(HWND button) {
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// Load CFG with `file` typed into the file dialog; the seconds from the tree's hiding until it is
// shown again, or a negative number when the dialog or the tree did not come.
double Reload(const StartedProgram& editor, HWND main, const std::wstring& file) {
    const HWND open = FindWindowExW(main, nullptr, nullptr, L"&Load CFG");
    const HWND tree = FindWindowExW(main, nullptr, WC_TREEVIEWW, nullptr);
    if (open == nullptr || tree == nullptr) return -1;
    Press(open);
    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = ShownWindowOf(editor.pid, main)) != nullptr; }, 20000)) return -1;
    HWND name = GetDlgItem(dialog, kFileNameCombo);
    if (name == nullptr) name = GetDlgItem(dialog, kFileNameEdit);
    if (name == nullptr) return -1;
    SetWindowTextW(name, file.c_str());
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    // The dialog takes its time to go under Wine; the editor hides the tree as soon as it has.
    if (!WaitFor([&] { return !IsWindowVisible(tree); }, 20000)) return -1;
    const Stopwatch reloading;
    if (!WaitFor([&] { return IsWindowVisible(tree) != FALSE; }, 600000)) return -1;
    return reloading.Seconds();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2 && argc != 3) return Fail("usage: open_exit EDITOR [OTHER_FILE]   (a command line, a path)", 2);
    const Stopwatch opening;
    const StartedProgram editor(argv[1]);
    if (!editor.process) return Fail("the editor did not start");
    const HWND main = editor.WaitForShownIdleWindow(600000);
    if (main == nullptr) return Fail("the editor's window did not come up");
    const double openMs = 1000 * opening.Seconds();
    std::printf("%.1f ", openMs);
    if (argc == 3) {
        const double reload = Reload(editor, main, argv[2]);
        if (reload < 0) return Fail("Load CFG did not go through");
        std::printf("%.1f ", 1000 * reload);
    }
    const HWND exit = FindWindowExW(main, nullptr, nullptr, L"&Exit");
    if (exit == nullptr) return Fail("the editor's Exit button was not found");
    const Stopwatch exiting;
    Press(exit);
    if (WaitForSingleObject(editor.process.get(), 600000) != WAIT_OBJECT_0) return Fail("the editor did not end");
    std::printf("%.1f\n", 1000 * exiting.Seconds());
    return 0;
}

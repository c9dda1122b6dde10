// Program entry: the application titled "Trimwell", its main window, the message dialog made
// hidden, then the message loop until the main window closes.
#include <windows.h>

#include <commctrl.h>

#include <exception>
#include <optional>

#include "framework/Forms_win.h"
#include "u_frmDialog.h"
#include "u_main.h"

using namespace trimwell;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
    std::optional<TApplication> made;
    try {
        made.emplace();
    } catch (const std::exception& e) {
        // Without an application there is no error report of its own: say it the same way.
        MessageBoxA(nullptr, e.what(), "Trimwell", MB_OK | MB_ICONERROR);
        return 1;
    }
    TApplication& application = *made;
    application.SetTitle("Trimwell");
    try {
        application.CreateForm<TfrmMain_Trimwell>();
        frmDialog = &application.CreateForm<TfrmDialog>();
    } catch (const std::exception& e) {
        application.ShowException(e);
        return 1;
    }
    application.Run();
    // The windows go with the process. Taken down one by one, a tree of a long file would keep
    // the closed program running for seconds, as the platform's tree frees its nodes one at a
    // time; nothing else is left to undo, as every save is complete when it returns.
    ExitProcess(0);
}

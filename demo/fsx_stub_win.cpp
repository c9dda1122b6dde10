// Stands in for the simulator's program in the demo installation, so that "Exit to FSX" has
// something to start.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    MessageBoxW(nullptr,
                L"This program stands in for the flight simulator in Trimwell's demo installation.\n\n"
                L"With the real simulator installed, Exit to FSX starts it here.",
                L"Flight Simulator (demo)", MB_OK | MB_ICONINFORMATION);
    return 0;
}

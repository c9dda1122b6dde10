// startup_launcher RUNS PROGRAM_A PROGRAM_B
// Starts the two programs in turn, RUNS times each, and measures for every start the time from
// process creation until the program's first window is shown and its thread waits for input with
// nothing left to handle (its start-up work and first painting are done). Prints the median of
// each and their ratio B / A.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/Handles_win.h"

namespace {

struct Search {
    DWORD pid;
    HWND found = nullptr;
};

BOOL CALLBACK findVisible(HWND hwnd, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    RECT r{};
    GetWindowRect(hwnd, &r);
    if (pid == s->pid && IsWindowVisible(hwnd) && r.right - r.left > 1) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds to a shown, idle window; negative on failure.
double timeStart(const std::wstring& program) {
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring command = L"\"" + program + L"\"";
    QueryPerformanceCounter(&t0);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    const trimwell::UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
    Search s{pi.dwProcessId};
    double ms = -1;
    for (int tries = 0; tries < 3000; ++tries) {
        if (WaitForInputIdle(pi.hProcess, 10) == 0) {
            s.found = nullptr;
            EnumWindows(findVisible, reinterpret_cast<LPARAM>(&s));
            if (s.found != nullptr) {
                QueryPerformanceCounter(&t1);
                ms = 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(freq.QuadPart);
                break;
            }
        }
        Sleep(1);
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    return ms;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: startup_launcher RUNS REFERENCE PROGRAM\n");
        return 2;
    }
    const int runs = std::max(1, _wtoi(argv[1]));
    std::vector<double> reference, program;
    timeStart(argv[2]);  // warm-up of both, not counted
    timeStart(argv[3]);
    for (int i = 0; i < runs; ++i) {
        reference.push_back(timeStart(argv[2]));
        program.push_back(timeStart(argv[3]));
    }
    if (std::count(reference.begin(), reference.end(), -1.0) || std::count(program.begin(), program.end(), -1.0)) {
        std::fprintf(stderr, "a program did not come up\n");
        return 1;
    }
    const double a = median(reference), b = median(program);
    std::printf("start-up to a shown, idle window, median of %d runs under Wine\n", runs);
    std::printf("  bare Win32 window : %8.1f ms\n", a);
    std::printf("  Trimwell (C172)   : %8.1f ms\n", b);
    std::printf("  ratio             : %8.2f (target at most 1.20)\n", b / a);
    return 0;
}

// startup_launcher RUNS BARE PLAIN EDITOR   or   startup_launcher RUNS PROGRAM
// Starts the three command lines in turn, RUNS times each, and measures for every start the time
// from process creation until the program's first window is shown and its thread waits for input
// with nothing left to handle (its start-up work and first painting are done). Prints the median
// of each, the editor against the plain program with the same window and controls, and the plain
// program against a bare window. With one command line it only reports that program's time, and
// fails when the program's window does not come up.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/Handles_win.h"
#include "tools/startupbench/ProcessWindows_win.h"

namespace {

// Milliseconds to a shown, idle window; negative on failure.
double timeStart(const std::wstring& commandLine) {
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring command = commandLine;
    QueryPerformanceCounter(&t0);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    const trimwell::UniqueKernelHandle process(pi.hProcess), thread(pi.hThread);
    double ms = -1;
    for (int tries = 0; tries < 3000; ++tries) {
        if (WaitForInputIdle(pi.hProcess, 10) == 0) {
            if (startupbench::ShownWindowOf(pi.dwProcessId) != nullptr) {
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
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr,
                     "usage: startup_launcher RUNS BARE PLAIN EDITOR   (each a command line)\n"
                     "       startup_launcher RUNS PROGRAM             (does it come up, and how fast)\n");
        return 2;
    }
    const int runs = std::max(1, _wtoi(argv[1]));
    const int programs = argc - 2;
    std::vector<std::vector<double>> times(static_cast<std::size_t>(programs));
    for (int p = 0; p < programs; ++p) timeStart(argv[2 + p]);  // warm-up, not counted
    // Interleaved, so that a change in the machine's load meets all programs alike.
    for (int i = 0; i < runs; ++i)
        for (int p = 0; p < programs; ++p) times[static_cast<std::size_t>(p)].push_back(timeStart(argv[2 + p]));
    for (const auto& t : times)
        if (std::count(t.begin(), t.end(), -1.0)) {
            std::fprintf(stderr, "a program did not come up\n");
            return 1;
        }
    std::printf("start-up to a shown, idle window, median of %d runs under Wine\n", runs);
    if (programs == 1) {
        std::printf("  %ls: %.1f ms\n", argv[2], median(times[0]));
        return 0;
    }
    const double bare = median(times[0]), plain = median(times[1]), editor = median(times[2]);
    std::printf("  bare Win32 window               : %8.1f ms\n", bare);
    std::printf("  plain Win32 editor window (C172): %8.1f ms\n", plain);
    std::printf("  Trimwell (C172)                 : %8.1f ms\n", editor);
    std::printf("  Trimwell / plain                : %8.2f (target at most 1.10)\n", editor / plain);
    std::printf("  plain / bare                    : %8.2f (the platform's own cost of the controls)\n",
                plain / bare);
    return 0;
}

#pragma once
// The benchmark programs' wall clock and failure report.
#include <windows.h>

#include <cstdio>

namespace startupbench {

class Stopwatch {
public:
    Stopwatch() { QueryPerformanceCounter(&start_); }
    double Seconds() const {
        LARGE_INTEGER now, freq;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&freq);
        return static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(freq.QuadPart);
    }

private:
    LARGE_INTEGER start_;
};

inline int Fail(const char* why, int code = 1) {
    std::fprintf(stderr, "%s\n", why);
    return code;
}

}  // namespace startupbench

// The main window's shape under Wine: the strips of the 500 x 368 picture, the region built from
// them in one call, and the region given to a window, beside the reference of one union per strip
// (what building the region strip by strip costs). Prints the mean of each in milliseconds.
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "skinctrls/SUIPublic_win.h"

namespace {

constexpr trimwell::TColor kWindowKey = 0x00FF07FF;
constexpr int kRounds = 200;

double nowMs() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

template <typename F>
double meanMs(F&& f) {
    const double start = nowMs();
    for (int i = 0; i < kRounds; ++i) f();
    return (nowMs() - start) / kRounds;
}

}  // namespace

int main() {
    std::ifstream in(TRIMWELL_MAIN_PICTURE, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    const trimwell::Bitmap picture = trimwell::ReadBmp(bytes);
    const HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, picture.Width(), picture.Height(),
                                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    const auto strips = trimwell::RegionStrips(picture, kWindowKey);
    const double scan = meanMs([&] { trimwell::RegionStrips(picture, kWindowKey); });
    const double oneCall = meanMs([&] { trimwell::RegionFromStrips(strips); });
    const double whole = meanMs([&] { trimwell::SetWindowRegionFromBitmap(window, picture, kWindowKey); });
    const double unions = meanMs([&] {
        const trimwell::UniqueRegion all(CreateRectRgn(0, 0, 0, 0));
        for (const auto& s : strips) {
            const trimwell::UniqueRegion strip(CreateRectRgn(s.left, s.top, s.right, s.bottom));
            CombineRgn(all.get(), all.get(), strip.get(), RGN_OR);
        }
    });
    std::printf("main window picture %dx%d, %zu strips, mean of %d rounds under Wine\n", picture.Width(),
                picture.Height(), strips.size(), kRounds);
    std::printf("  strip scan                     %8.3f ms   (target < 1 ms)\n", scan);
    std::printf("  region from strips, one call   %8.3f ms   reference, one union per strip: %8.3f ms\n", oneCall,
                unions);
    std::printf("  SetWindowRegionFromBitmap      %8.3f ms   (scan + region + SetWindowRgn)\n", whole);
    DestroyWindow(window);
    return 0;
}

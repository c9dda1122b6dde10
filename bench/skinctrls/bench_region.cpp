// The strips of the main window's 500 x 368 picture, the scan the shaped window runs whenever
// its picture or transparent colour is set. Target: under 1 ms per scan. The reference walks
// the picture the slow way, reading each pixel as a colour and growing the strip list one pixel
// at a time, which is what a per-pixel canvas read amounts to. The Windows half (the region
// made from the strips in one call) is measured under Wine by region_bench.exe.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>

#include "skinctrls/SUIPublic.h"

namespace {

constexpr trimwell::TColor kWindowKey = 0x00FF07FF;

const trimwell::Bitmap& MainPicture() {
    static const trimwell::Bitmap picture = [] {
        std::ifstream in(TRIMWELL_MAIN_PICTURE, std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        return trimwell::ReadBmp(bytes);
    }();
    return picture;
}

void BM_RegionStrips(benchmark::State& state) {
    const trimwell::Bitmap& picture = MainPicture();
    std::size_t strips = 0;
    for (auto _ : state) {
        const auto s = trimwell::RegionStrips(picture, kWindowKey);
        strips = s.size();
        benchmark::DoNotOptimize(s.data());
    }
    state.counters["strips"] = static_cast<double>(strips);
    state.counters["target_ms"] = 1.0;
}

void BM_Reference_PixelByPixel(benchmark::State& state) {
    const trimwell::Bitmap& picture = MainPicture();
    for (auto _ : state) {
        std::vector<trimwell::TRect> strips;
        for (int y = 0; y < picture.Height(); ++y) {
            bool open = false;
            for (int x = 0; x < picture.Width(); ++x) {
                const bool opaque = trimwell::PixelToColorRef(picture.Pixel(x, y)) != kWindowKey;
                if (opaque && open) {
                    ++strips.back().right;
                } else if (opaque) {
                    strips.push_back({x, y, x + 1, y + 1});
                }
                open = opaque;
            }
        }
        benchmark::DoNotOptimize(strips.data());
    }
}

}  // namespace

BENCHMARK(BM_RegionStrips)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Reference_PixelByPixel)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();

// Inflate throughput of the skin reader's decoder beside zlib's, on a skin-sized file and on a
// large mixed corpus. Prints each pair's speed ratio (ours / zlib) after the table.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstring>
#include <iostream>
#include <map>

#include "framework/Bitmap.h"
#include "skin/SUI2SkinReader.h"
#include "tests/native/skin/SkinArchiveBuilder.h"
#include "tests/native/skin/TestData.h"
#include "tests/native/skin/ZlibDeflate.h"

namespace {

using trimwell::testing::Bytes;

// Artwork like a skin's: flat fills, vertical gradients, one-pixel borders and a little dither.
Bytes SkinPicture(int width, int height, std::uint32_t seed) {
    trimwell::Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool border = x == 0 || y == 0 || x == width - 1 || y == height - 1;
            const std::uint32_t shade = 0x40 + static_cast<std::uint32_t>(y * 0x90 / height);
            std::uint32_t pixel = border ? 0x00575F22 : (shade << 16) | ((shade + seed) & 0xFF) << 8 | 0xE0;
            const std::uint32_t hash = (static_cast<std::uint32_t>(x) * 73856093u) ^ (static_cast<std::uint32_t>(y) * 19349663u) ^ seed * 83492791u;
            if (hash % 5 < 1) pixel ^= (hash >> 8) & 0x00070707;
            if (x % 47 > 40) pixel = 0x00FF00FF;
            bitmap.SetPixel(x, y, pixel);
        }
    return trimwell::WriteBmp(bitmap, 24);
}

Bytes SkinLikeData() {
    std::vector<trimwell::testing::SkinRecordLayout> records;
    const int sizes[][2] = {{278, 25}, {324, 18}, {160, 27}, {138, 31}, {180, 5}, {102, 17}, {31, 31}, {44, 11}};
    for (std::uint32_t round = 0; round < 4; ++round)
        for (const auto& s : sizes)
            records.push_back({"SKIN2_BITMAP" + std::to_string(records.size()), 0, SkinPicture(s[0], s[1], round * 9)});
    for (int i = 0; i < 32; ++i)
        records.push_back({"SKIN2_COLOR" + std::to_string(i), 1, trimwell::testing::IntegerValue(0x00EDFCED + i)});
    Bytes data = trimwell::testing::BuildSkinData(records);
    data.resize(117296, 0);
    return data;
}

Bytes MixedCorpus() {
    Bytes out;
    while (out.size() < 16u * 1024 * 1024) {
        const Bytes part = trimwell::testing::LargeSample();
        out.insert(out.end(), part.begin(), part.end());
    }
    out.resize(16u * 1024 * 1024);
    return out;
}

struct Input {
    Bytes plain;
    Bytes compressed;
};

const Input& SkinInput() {
    static const Input input = [] {
        Bytes plain = SkinLikeData();
        return Input{plain, trimwell::testing::ZlibDeflate(plain, 9)};
    }();
    return input;
}

const Input& CorpusInput() {
    static const Input input = [] {
        Bytes plain = MixedCorpus();
        return Input{plain, trimwell::testing::ZlibDeflate(plain, 9)};
    }();
    return input;
}

void InflateOurs(benchmark::State& state, const Input& (*input)()) {
    const Input& in = input();
    Bytes out(in.plain.size());
    for (auto _ : state) {
        std::size_t at = 0;
        const auto status = trimwell::InflateRaw(in.compressed, [&](const std::uint8_t* p, std::size_t n) {
            std::memcpy(out.data() + at, p, n);
            at += n;
        });
        if (status != trimwell::InflateStatus::Done || at != out.size()) state.SkipWithError("inflate failed");
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.plain.size()));
}

void InflateZlib(benchmark::State& state, const Input& (*input)()) {
    const Input& in = input();
    Bytes out(in.plain.size());
    for (auto _ : state) {
        z_stream z{};
        inflateInit2(&z, -15);
        z.next_in = const_cast<Bytef*>(in.compressed.data());
        z.avail_in = static_cast<uInt>(in.compressed.size());
        z.next_out = out.data();
        z.avail_out = static_cast<uInt>(out.size());
        if (inflate(&z, Z_FINISH) != Z_STREAM_END) state.SkipWithError("zlib failed");
        inflateEnd(&z);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.plain.size()));
}

// Alternating runs and medians keep the shared machine's noise out of the ratio.
BENCHMARK_CAPTURE(InflateOurs, skin117k, SkinInput)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(InflateZlib, skin117k, SkinInput)->Repetitions(7)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(InflateOurs, mixed16m, CorpusInput)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(InflateZlib, mixed16m, CorpusInput)->Repetitions(5)->ReportAggregatesOnly(true);

// Keeps each run's throughput so that the pairs can be compared once all have run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const auto it = run.counters.find("bytes_per_second");
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median" || it == run.counters.end())
                continue;
            const std::string name = run.benchmark_name();
            speeds_[name.substr(0, name.find("/repeats"))] = it->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintRatios() const {
        for (const char* data : {"skin117k", "mixed16m"}) {
            const auto ours = speeds_.find(std::string("InflateOurs/") + data);
            const auto zlib = speeds_.find(std::string("InflateZlib/") + data);
            if (ours == speeds_.end() || zlib == speeds_.end() || zlib->second <= 0) continue;
            const Input& input = std::strcmp(data, "skin117k") == 0 ? SkinInput() : CorpusInput();
            std::printf("%-9s %9zu -> %8zu bytes  ours %7.1f MB/s  zlib %7.1f MB/s  ratio %.2f (median)\n", data,
                        input.plain.size(), input.compressed.size(), ours->second / 1e6, zlib->second / 1e6,
                        ours->second / zlib->second);
        }
    }

private:
    std::map<std::string, double> speeds_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}

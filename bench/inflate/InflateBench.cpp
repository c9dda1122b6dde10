// Inflate throughput of the skin reader's decoder beside zlib's, on the program's own skin data and
// on a large mixed corpus. Prints each pair's speed ratio (ours / zlib) after the table.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <map>

#include "platform/Files.h"
#include "skin/SUI2SkinReader.h"
#include "tests/native/skin/TestData.h"
#include "tests/native/skin/ZlibDeflate.h"

namespace {

using trimwell::testing::Bytes;

// The program's own skin data, inflated from the archive the build made, so that the figure is
// the one every start of the editor pays.
Bytes EmbeddedSkinData() {
    const std::string out = trimwell::TempFolder() + "bench-inflate-skin.sk2";
    if (trimwell::ExtractSkinEntry(TRIMWELL_SKIN_ARCHIVE, "SKINDATA.SK2", out, "") != trimwell::kSkinExtracted) {
        std::fprintf(stderr, "cannot extract %s\n", TRIMWELL_SKIN_ARCHIVE);
        std::exit(1);
    }
    std::FILE* f = std::fopen(out.c_str(), "rb");
    Bytes data;
    for (int c; f && (c = std::fgetc(f)) != EOF;) data.push_back(static_cast<std::uint8_t>(c));
    if (f) std::fclose(f);
    std::remove(out.c_str());
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
        Bytes plain = EmbeddedSkinData();
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

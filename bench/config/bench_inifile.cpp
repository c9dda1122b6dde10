// Listing every section and key of a large configuration file and reading every value through
// one TIniFile, the way the editor fills its tree. The reference is the cost of reading the same
// bytes from disk, the least any reader must pay. The generated file lives in a folder of this
// run's own, removed when the run ends.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "config/IniFiles.h"

namespace {

constexpr int kSections = 100000;
constexpr double kTargetSeconds = 0.5;
constexpr const char* kListingBenchmark = "BM_ListAndReadEverything";

// A folder for this run alone: no other run, and no earlier one, shares or leaves the file.
class RunFolder {
public:
    RunFolder()
        : path_(std::filesystem::temp_directory_path() / ("trimwell-bench-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_);
    }
    ~RunFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;
    std::filesystem::path file(const char* name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

const RunFolder* gFolder = nullptr;

struct GeneratedFile {
    std::string path;
    std::vector<std::string> sections;
    std::size_t bytes = 0;
};

// About 10 MB: 100 000 sections of a title and three keys each, blank lines between them.
const GeneratedFile& bigFile() {
    static const GeneratedFile file = [] {
        GeneratedFile f;
        f.path = gFolder->file("10mb.cfg").string();
        std::ostringstream out;
        for (int s = 0; s < kSections; ++s) {
            f.sections.push_back("fltsim." + std::to_string(s));
            out << "[" << f.sections.back() << "]\r\n";
            out << "title=Generated Aircraft " << s << "\r\n";
            for (int k = 0; k < 3; ++k) out << "key_" << k << " = " << (s * 31 + k) % 1000 << ", 1.5 // n\r\n";
            out << "\r\n";
        }
        const std::string text = out.str();
        f.bytes = text.size();
        std::ofstream(f.path, std::ios::binary) << text;
        return f;
    }();
    return file;
}

void BM_ListAndReadEverything(benchmark::State& state) {
    const GeneratedFile& f = bigFile();
    std::size_t values = 0;
    for (auto _ : state) {
        trimwell::TIniFile ini(f.path);
        trimwell::TStrings listed, keys;
        ini.ListSectionNames(listed);
        // The listing stops at its name block's limit; the rest are asked for by name.
        for (const auto& section : f.sections) {
            ini.ListKeyNames(section, keys);
            for (const auto& key : keys) values += ini.ReadValue(section, key, "").size();
        }
        benchmark::DoNotOptimize(listed);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.bytes));
    state.counters["file_MB"] = static_cast<double>(f.bytes) / 1e6;
    benchmark::DoNotOptimize(values);
}
BENCHMARK(BM_ListAndReadEverything)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_Reference_ReadBytesOnly(benchmark::State& state) {
    const GeneratedFile& f = bigFile();
    for (auto _ : state) {
        std::ifstream in(f.path, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.bytes));
}
BENCHMARK(BM_Reference_ReadBytesOnly)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The usual console table, and the mean time of one whole listing kept for the verdict.
class ListingReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0 &&
                run.benchmark_name().starts_with(kListingBenchmark)) {
                const auto n = static_cast<double>(run.iterations);
                listing_ = {run.real_accumulated_time / n, run.cpu_accumulated_time / n};
            }
        ConsoleReporter::ReportRuns(runs);
    }
    struct Seconds {
        double wall = -1, cpu = -1;
    };
    Seconds listing() const { return listing_; }

private:
    Seconds listing_;
};

}  // namespace

int main(int argc, char** argv) {
    RunFolder folder;
    gFolder = &folder;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    ListingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const ListingReporter::Seconds listing = reporter.listing();
    if (listing.wall < 0) return 0;  // filtered out
    // Wall time is what the user waits; CPU time tells the code's own cost from a busy machine's.
    std::printf("Listing and reading a %.1f MB file of %d sections: %.3f s (CPU %.3f s), target %.1f s: %s\n",
                static_cast<double>(bigFile().bytes) / 1e6, kSections, listing.wall, listing.cpu, kTargetSeconds,
                listing.wall <= kTargetSeconds ? "within target" : "OVER TARGET");
    return 0;
}

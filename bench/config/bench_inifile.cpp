// Listing every section and key of a large configuration file and reading every value through
// one TIniFile, the way the editor fills its tree. The reference is the cost of reading the same
// bytes from disk, the least any reader must pay.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "config/IniFiles.h"

namespace {

constexpr int kSections = 100000;

struct GeneratedFile {
    std::string path;
    std::vector<std::string> sections;
    std::size_t bytes = 0;
};

// About 10 MB: 100 000 sections of a title and three keys each, blank lines between them.
const GeneratedFile& bigFile() {
    static const GeneratedFile file = [] {
        GeneratedFile f;
        f.path = (std::filesystem::temp_directory_path() / "trimwell-bench-10mb.cfg").string();
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

}  // namespace

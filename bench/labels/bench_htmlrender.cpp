// Parsing and laying out a large marked-up caption, with and without word wrap. The reference
// is a plain copy of the same text: the markup cost per byte should stay a small, constant
// multiple of it as the caption grows.
#include <benchmark/benchmark.h>

#include <string>

#include "labels/FixedMetricsMeasurer.h"
#include "labels/HTMLRender.h"

namespace {

std::u16string Caption(std::size_t bytes) {
    const std::u16string chunk =
        u"<b>Loaded Aircraft:</b> Cessna Skyhawk &amp; <font color=red size=+1>friends</font> "
        u"with some plain words that wrap nicely <i>here</i><br>";
    std::u16string text;
    while (text.size() * 2 < bytes) text += chunk;
    return text;
}

void BM_ParseMarkup(benchmark::State& state, bool wrap) {
    const std::u16string text = Caption(static_cast<std::size_t>(state.range(0)));
    trimwell::TElHTMLRender render(std::make_unique<trimwell::FixedMetricsMeasurer>());
    for (auto _ : state) {
        render.ParseMarkup(text, 300, wrap);
        benchmark::DoNotOptimize(render.Data().TextHeight);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

void BM_Reference_Copy(benchmark::State& state) {
    const std::u16string text = Caption(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::u16string copy = text;
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

void BM_ParseMarkup_NoWrap(benchmark::State& s) { BM_ParseMarkup(s, false); }
void BM_ParseMarkup_WordWrap(benchmark::State& s) { BM_ParseMarkup(s, true); }

// A single unbroken 100 KB word: every character re-checks the line width.
void BM_ParseMarkup_WordWrapOneLongRun(benchmark::State& state) {
    const std::u16string text(static_cast<std::size_t>(state.range(0)) / 2, u'x');
    trimwell::TElHTMLRender render(std::make_unique<trimwell::FixedMetricsMeasurer>());
    for (auto _ : state) {
        render.ParseMarkup(text, 1 << 30, true);
        benchmark::DoNotOptimize(render.Data().TextWidth);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

}  // namespace

BENCHMARK(BM_Reference_Copy)->Arg(25 << 10)->Arg(100 << 10);
BENCHMARK(BM_ParseMarkup_NoWrap)->Arg(25 << 10)->Arg(100 << 10)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParseMarkup_WordWrap)->Arg(25 << 10)->Arg(100 << 10)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParseMarkup_WordWrapOneLongRun)->Arg(25 << 10)->Arg(100 << 10)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();

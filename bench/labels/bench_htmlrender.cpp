// Parsing and laying out a large marked-up caption, with and without word wrap. The reference
// is a plain copy of the same text: the markup cost per byte should stay a small, constant
// multiple of it as the caption grows. The "measured/char" counter is how many code units the
// measurer was asked to measure per code unit of caption: it stays flat when widths are
// measured incrementally and grows with the caption when runs are measured again and again.
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

// Parses `text` as often as the benchmark wants and reports the measuring per code unit.
void RunParse(benchmark::State& state, const std::u16string& text, int maxWidth, bool wrap) {
    auto measurer = std::make_unique<trimwell::FixedMetricsMeasurer>();
    const trimwell::FixedMetricsMeasurer& m = *measurer;
    trimwell::TElHTMLRender render(std::move(measurer));
    for (auto _ : state) {
        render.ParseMarkup(text, maxWidth, wrap);
        benchmark::DoNotOptimize(render.Data().TextHeight);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
    state.counters["measured/char"] =
        static_cast<double>(m.measuredUnits) / static_cast<double>(state.iterations() * text.size());
}

void BM_ParseMarkup(benchmark::State& state, bool wrap) {
    RunParse(state, Caption(static_cast<std::size_t>(state.range(0))), 300, wrap);
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
    RunParse(state, std::u16string(static_cast<std::size_t>(state.range(0)) / 2, u'x'), 1 << 30, true);
}

// The same long run with tabs, control characters and surrogate pairs all through it.
void BM_ParseMarkup_WordWrapControlCharacters(benchmark::State& state) {
    const std::u16string chunk = u"ab\tc\x01" u"de\U0001F600f\nx";
    std::u16string text;
    while (text.size() * 2 < static_cast<std::size_t>(state.range(0))) text += chunk;
    RunParse(state, text, 1 << 30, true);
}

// Many links, each closed: closing one must not walk back over the whole item list.
void BM_ParseMarkup_ManyLinks(benchmark::State& state) {
    std::u16string text = u"<a href=x>";
    while (text.size() * 2 < static_cast<std::size_t>(state.range(0))) text += u"w </a><a href=y>";
    RunParse(state, text, 300, false);
}

}  // namespace

BENCHMARK(BM_Reference_Copy)->Arg(25 << 10)->Arg(100 << 10);
BENCHMARK(BM_ParseMarkup_NoWrap)->Arg(25 << 10)->Arg(100 << 10)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParseMarkup_WordWrap)->Arg(25 << 10)->Arg(100 << 10)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParseMarkup_WordWrapOneLongRun)->Arg(25 << 10)->Arg(100 << 10)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParseMarkup_WordWrapControlCharacters)->Arg(25 << 10)->Arg(100 << 10)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ParseMarkup_ManyLinks)->Arg(25 << 10)->Arg(100 << 10)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();

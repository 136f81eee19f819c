// Benchmarks of Show all over a generated 5 MB BASIC-like document: marking
// every match of a frequent word (PORTA, about 40,000 of them) and removing
// the marks again, as the first keystroke afterwards does.
#include "BenchCorpus.h"
#include "core/app/SearchMarks.h"
#include "core/editor/TCustomLexipad.h"
#include "core/services/TStoreSearch.h"
#include "support/SampleSource.h"

#include <benchmark/benchmark.h>

using namespace quarno;

namespace {

constexpr size_t kFileSize = 5u << 20;

TCustomLexipad& SamplePad() {
    static TCustomLexipad pad;
    static bool loaded = false;
    if (!loaded) {
        pad.SetText(test::SampleSource(kFileSize, 1, {"\r", 0}));
        loaded = true;
    }
    return pad;
}

void BM_MarkEveryMatch(benchmark::State& state) {
    TCustomLexipad& pad = SamplePad();
    uint32_t options = state.range(0) ? uint32_t{foRegExpr} : 0u;
    const char* text = state.range(0) ? "PORT[A]" : "PORTA";
    int marked = 0;
    for (auto _ : state) {
        marked = MarkSearchMatches(pad, text, options);
        state.PauseTiming();
        RemoveSearchMarks(pad);
        state.ResumeTiming();
    }
    state.counters["marks"] = marked;
}
BENCHMARK(BM_MarkEveryMatch)->Arg(0)->Arg(1)->ArgName("regex")->Unit(benchmark::kMillisecond);

void BM_RemoveEveryMark(benchmark::State& state) {
    TCustomLexipad& pad = SamplePad();
    int removed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        MarkSearchMatches(pad, "PORTA", 0);
        state.ResumeTiming();
        removed = RemoveSearchMarks(pad);
    }
    state.counters["marks"] = removed;
}
BENCHMARK(BM_RemoveEveryMark)->Unit(benchmark::kMillisecond);

} // namespace

QUARNO_BENCHMARK_MAIN()

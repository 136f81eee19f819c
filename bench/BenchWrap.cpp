// Benchmarks of word wrap on a 10 MB document: switching it on at a wrap
// column and at the window's width (a wide and a very narrow one), and the
// memory it adds to the store.
#include "BenchCorpus.h"
#include "BenchMemory.h"
#include "core/editor/TCustomLexipad.h"

#include <benchmark/benchmark.h>

using namespace quarno;

namespace {

constexpr size_t kTextSize = 10u << 20;

const std::string& SampleText() {
    static const std::string text = bench::CorpusText(kTextSize, 11, {"\r\n", 2000});
    return text;
}

// Loads the text, then times switching wrap on (and off again, untimed).
// width 0 wraps at column 80; otherwise at a window of that many pixels.
void WrapOnce(benchmark::State& state, int width) {
    bench::ReleaseFreedMemory();
    int64_t before = bench::ResidentBytes();
    TCustomLexipad pad;
    pad.SetText(SampleText());
    int64_t loaded = bench::ResidentBytes() - before;
    if (width == 0)
        pad.SetWrapAtColumn(80);
    else
        pad.SetClientSize(width, 800);
    int records = pad.Store().RecordCount();
    for (auto _ : state) {
        pad.SetOptions(pad.Options() | smoWordWrap);
        state.PauseTiming();
        state.counters["records_wrapped"] = pad.Store().RecordCount();
        state.counters["memory_ratio"] =
            static_cast<double>(bench::ResidentBytes() - before) / static_cast<double>(loaded);
        pad.SetOptions(pad.Options() & ~smoWordWrap);
        state.ResumeTiming();
    }
    state.counters["records_unwrapped"] = records;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * pad.CharCount());
}

void BM_WrapAtColumn80(benchmark::State& state) {
    WrapOnce(state, 0);
}
BENCHMARK(BM_WrapAtColumn80)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_WrapAtWindow1000px(benchmark::State& state) {
    WrapOnce(state, 1000);
}
BENCHMARK(BM_WrapAtWindow1000px)->Unit(benchmark::kMillisecond)->Iterations(3);

// A window a pixel wide: rows of a few characters, about six a line, so
// nearly every record is laid out anew.
void BM_WrapAtNarrowWindow(benchmark::State& state) {
    WrapOnce(state, 1);
}
BENCHMARK(BM_WrapAtNarrowWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

QUARNO_BENCHMARK_MAIN()

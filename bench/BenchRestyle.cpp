// Benchmarks of the parser run time with the shipped BASIC dialect on a
// generated 10 MB source: a full restyle through the store (every record
// rescanned and its token bytes written), the bare token scan, and the
// incremental restyle after typing one character.
#include "BenchCorpus.h"
#include "core/document/TEdStream.h"
#include "core/editor/TCustomLexipad.h"
#include "core/highlight/ShippedLanguages.h"
#include "support/SampleSource.h"

#include <benchmark/benchmark.h>
#include <memory>

using namespace quarno;

namespace {

constexpr size_t kTextSize = 10u << 20;

// CR-separated BASIC lines (the store's form), about 10 MB.
const std::string& SampleText() {
    static const std::string text = bench::CorpusText(kTextSize, 7, {"\r"});
    return text;
}

struct Fixture {
    std::unique_ptr<TLexipadParser> parser = MakeShippedParser("basic");
    TCustomLexipad pad;
    Fixture() {
        pad.SetParser(1, parser.get());
        pad.SetText(SampleText());
    }
    // Every record as after loading: no token bytes, flagged for restyling.
    void Unstyle() {
        TTextStore& store = pad.Store();
        for (int i = 0; i < store.RecordCount(); ++i) {
            store.Record(i).DropTokens();
            store.Record(i).AddFlags(lfRestyle);
        }
    }
};

Fixture& Shared() {
    static Fixture fixture;
    return fixture;
}

void BM_FullRestyle(benchmark::State& state) {
    Fixture& fixture = Shared();
    for (auto _ : state) {
        state.PauseTiming();
        fixture.Unstyle();
        state.ResumeTiming();
        fixture.pad.Restyle();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            fixture.pad.Store().CharCount());
}
BENCHMARK(BM_FullRestyle)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// Every record flagged but its bytes kept: the rescan compares each
// completed record with what it held.
void BM_FullRestyleUnchanged(benchmark::State& state) {
    Fixture& fixture = Shared();
    fixture.pad.Restyle();
    for (auto _ : state) {
        state.PauseTiming();
        TTextStore& store = fixture.pad.Store();
        for (int i = 0; i < store.RecordCount(); ++i)
            store.Record(i).AddFlags(lfRestyle);
        state.ResumeTiming();
        fixture.pad.Restyle();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            fixture.pad.Store().CharCount());
}
BENCHMARK(BM_FullRestyleUnchanged)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// NextToken over the whole text, nothing stored.
void BM_TokenScan(benchmark::State& state) {
    Fixture& fixture = Shared();
    int64_t tokens = 0;
    for (auto _ : state) {
        TEdStream stream(fixture.pad.Store());
        fixture.parser->ResetState(0);
        while (stream.Pos() < stream.CharCount()) {
            int length = 0;
            benchmark::DoNotOptimize(fixture.parser->NextToken(nullptr, stream, length));
            ++tokens;
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            fixture.pad.Store().CharCount());
    state.counters["tokens"] =
        benchmark::Counter(static_cast<double>(tokens), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_TokenScan)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// Typing one character in the middle of the document and taking it back:
// the rescan stops at the first unchanged line.
void BM_TypeOneCharacter(benchmark::State& state) {
    Fixture& fixture = Shared();
    TCustomLexipad& pad = fixture.pad;
    pad.Restyle();
    int middle = pad.LineIndex(pad.LineCount() / 2);
    for (auto _ : state) {
        pad.SetSelection(middle, middle);
        pad.ReplaceSelection("'");
        pad.SetSelection(middle, middle + 1);
        pad.ReplaceSelection("");
    }
}
BENCHMARK(BM_TypeOneCharacter)->Unit(benchmark::kMicrosecond);

} // namespace

QUARNO_BENCHMARK_MAIN()

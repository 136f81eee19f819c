// Benchmarks of the parser run time with the shipped BASIC dialect on a
// generated 10 MB source: a full restyle through the store (every record
// rescanned and its token bytes written), the bare token scan, and the
// incremental restyle after typing or deleting one character, and the
// highlighting of a load in idle-time slices.
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
    // Walks the records block by block and flags them through the store, so
    // the rescan knows which records to look at.
    void Unstyle() {
        TTextStore& store = pad.Store();
        for (int index = 0; index < store.RecordCount();) {
            int count = 0;
            TLineRecord* run = store.RecordRun(index, count);
            for (int i = 0; i < count; ++i)
                run[i].DropTokens();
            index += count;
        }
        store.FlagRestyle(0, store.RecordCount() - 1);
    }
    // Whether the last record holds token bytes and nothing waits.
    bool Styled() const {
        const TTextStore& store = pad.Store();
        return store.RecordCount() > 0 && store.Record(store.RecordCount() - 1).Tokens() &&
               store.RestyleFirst() > store.RestyleLast();
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
    if (!fixture.Styled()) state.SkipWithError("the restyle left records unstyled");
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
        store.FlagRestyle(0, store.RecordCount() - 1);
        state.ResumeTiming();
        fixture.pad.Restyle();
    }
    if (!fixture.Styled()) state.SkipWithError("the restyle left records flagged");
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

// One keystroke in the middle of the document: the character typed (timed),
// then taken back untimed so every round types into the same text. The
// rescan stops at the first unchanged line.
void BM_TypeOneCharacter(benchmark::State& state) {
    Fixture& fixture = Shared();
    TCustomLexipad& pad = fixture.pad;
    pad.Restyle();
    int middle = pad.LineIndex(pad.LineCount() / 2);
    for (auto _ : state) {
        state.PauseTiming();
        pad.SetSelection(middle, middle);
        state.ResumeTiming();
        pad.KeyPress('\'');
        state.PauseTiming();
        pad.ExecuteAction(caBACKSPACE, false);
        state.ResumeTiming();
    }
    if (pad.Store().RestyleFirst() <= pad.Store().RestyleLast())
        state.SkipWithError("records were left waiting");
}
BENCHMARK(BM_TypeOneCharacter)->Unit(benchmark::kMicrosecond);

// The same keystroke taken back (timed) after it was typed untimed.
void BM_DeleteOneCharacter(benchmark::State& state) {
    Fixture& fixture = Shared();
    TCustomLexipad& pad = fixture.pad;
    pad.Restyle();
    int middle = pad.LineIndex(pad.LineCount() / 2);
    for (auto _ : state) {
        state.PauseTiming();
        pad.SetSelection(middle, middle);
        pad.KeyPress('\'');
        state.ResumeTiming();
        pad.ExecuteAction(caBACKSPACE, false);
    }
}
BENCHMARK(BM_DeleteOneCharacter)->Unit(benchmark::kMicrosecond);

// A load's idle highlighting: the rows shown first, then slice by slice, as
// the window runs it.
void BM_IdleRestyleAfterLoad(benchmark::State& state) {
    Fixture& fixture = Shared();
    TCustomLexipad& pad = fixture.pad;
    int64_t slices = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fixture.Unstyle();
        pad.SetIdleRestyle(true);
        state.ResumeTiming();
        pad.Restyle();
        while (pad.RestyleSlice())
            ++slices;
        state.PauseTiming();
        pad.SetIdleRestyle(false);
        state.ResumeTiming();
    }
    if (!fixture.Styled()) state.SkipWithError("the idle restyle left records unstyled");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * pad.Store().CharCount());
    state.counters["slices"] =
        benchmark::Counter(static_cast<double>(slices), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_IdleRestyleAfterLoad)->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace

QUARNO_BENCHMARK_MAIN()

// Typing into the middle of a 1,000,000-line highlighted BASIC document: each
// keystroke inserts, records its undo group and rescans the changed lines.
#include "BenchCorpus.h"
#include "core/editor/TCustomLexipad.h"
#include "core/highlight/ShippedLanguages.h"
#include "core/highlight/TLexipadParser.h"
#include "support/SampleSource.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string>

using namespace quarno;

namespace {

struct Document {
    std::unique_ptr<TLexipadParser> parser = MakeShippedParser("basic");
    TCustomLexipad pad;
    Document() {
        std::string text = test::SampleSourceLines(1000000, 9);
        pad.SetParser(1, parser.get());
        pad.SetActiveParser(1);
        pad.SetText(text);
    }
};

void BM_TypeInTheMiddle(benchmark::State& state) {
    static Document document;
    TCustomLexipad& pad = document.pad;
    const std::string typed = "    DelayMS 250 ' a comment with \"quotes\"\r";
    size_t next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        int middle = pad.LineIndex(pad.LineCount() / 2);
        pad.SetSelection(middle, middle);
        pad.SetTopLine(pad.LineCount() / 2 - 20);
        state.ResumeTiming();
        for (int i = 0; i < 10000; ++i)
            pad.KeyPress(typed[next++ % typed.size()]);
    }
    state.SetItemsProcessed(state.iterations() * 10000);
    state.counters["us_per_key"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 10000,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TypeInTheMiddle)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

QUARNO_BENCHMARK_MAIN()

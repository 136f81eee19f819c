// The three searches the peers' harness times, on the same corpus file
// (--corpus FILE; without it a generated 50 MB sample): an absent literal
// and two absent regular expressions, case-sensitive, forward from the start,
// each checked against a present control so a search that finds nothing
// because it is broken does not pass as fast.
#include "BenchCorpus.h"
#include "core/editor/TCustomLexipad.h"
#include "core/services/TStoreSearch.h"

#include <benchmark/benchmark.h>
#include <memory>

using namespace quarno;

namespace {

constexpr size_t kFileSize = 50u << 20;

struct TPattern {
    const char* absent;
    const char* control;
    uint32_t options;
};

constexpr uint32_t kPlain = foSearchNow | foMatchCase;
constexpr uint32_t kRegex = foSearchNow | foMatchCase | foRegExpr;
constexpr TPattern kLiteral{"DELAYMS 99999", "DELAYMS 1000", kPlain};
constexpr TPattern kRegex1{"GOTO +[A-Za-z_]+[0-9]*:", "GOTO +[A-Za-z_]+[0-9]*", kRegex};
constexpr TPattern kRegex2{"[A-Za-z_]+[0-9]+ *= *%[01]+[2-9]", "[A-Za-z_]+[0-9]+ *= *%[01]+",
                           kRegex};

TCustomLexipad& LoadedPad() {
    static std::unique_ptr<TCustomLexipad> pad = [] {
        auto loaded = std::make_unique<TCustomLexipad>();
        loaded->LoadFromFile(
            bench::CorpusFile(kFileSize, 1, {"\r\n", 2000}, "quarno-bench-peers-50mb.bas"));
        return loaded;
    }();
    return *pad;
}

void SearchAbsent(benchmark::State& state, const TPattern& pattern) {
    TCustomLexipad& pad = LoadedPad();
    TStoreSearch search;
    if (!search.Search(pad.Store(), 0, pattern.options, pattern.control)) {
        state.SkipWithError("the present control was not found");
        return;
    }
    for (auto _ : state) {
        if (search.Search(pad.Store(), 0, pattern.options, pattern.absent))
            state.SkipWithError("the absent pattern was found");
    }
    state.SetBytesProcessed(state.iterations() * pad.CharCount());
}

void BM_PeerLiteral(benchmark::State& state) {
    SearchAbsent(state, kLiteral);
}
void BM_PeerRegex1(benchmark::State& state) {
    SearchAbsent(state, kRegex1);
}
void BM_PeerRegex2(benchmark::State& state) {
    SearchAbsent(state, kRegex2);
}
BENCHMARK(BM_PeerLiteral)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeerRegex1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeerRegex2)->Unit(benchmark::kMillisecond);

} // namespace

QUARNO_BENCHMARK_MAIN()

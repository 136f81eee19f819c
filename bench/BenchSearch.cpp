// Benchmarks of the search engine over a generated 50 MB BASIC-like document:
// the plain search for an absent 12-character literal, every match of the
// regular expression PORT[AB]\.[0-7], grep -F and grep -E on the same file
// for comparison, and Replace All of a frequent word.
#include "BenchCorpus.h"
#include "core/editor/TCustomLexipad.h"
#include "core/services/TStoreSearch.h"
#include "core/services/TStoreText.h"
#include "support/SampleSource.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <sys/resource.h>

using namespace quarno;

namespace {

constexpr size_t kFileSize = 50u << 20;
constexpr const char* kAbsent = "SerialBaud96"; // 12 characters, in no statement
constexpr const char* kRegex = "PORT[AB]\\.[0-7]";

const std::string& SampleFile() {
    static const std::string path = [] {
        return bench::CorpusFile(kFileSize, 1, {"\r\n", 2000}, "quarno-bench-search-50mb.bas");
    }();
    return path;
}

TCustomLexipad& LoadedPad() {
    static std::unique_ptr<TCustomLexipad> pad = [] {
        auto loaded = std::make_unique<TCustomLexipad>();
        loaded->LoadFromFile(SampleFile());
        return loaded;
    }();
    return *pad;
}

void BM_PlainSearchAbsent(benchmark::State& state) {
    TCustomLexipad& pad = LoadedPad();
    TStoreSearch search;
    uint32_t options = foSearchNow | (state.range(0) ? static_cast<uint32_t>(foMatchCase) : 0u);
    for (auto _ : state) {
        auto match = search.Search(pad.Store(), 0, options, kAbsent);
        if (match) state.SkipWithError("the absent literal was found");
    }
    state.SetBytesProcessed(state.iterations() * pad.CharCount());
}
BENCHMARK(BM_PlainSearchAbsent)->Arg(1)->Arg(0)->ArgName("case")->Unit(benchmark::kMillisecond);

// Walks through every match, as grep reads the whole file.
void BM_RegexEveryMatch(benchmark::State& state) {
    TCustomLexipad& pad = LoadedPad();
    TStoreSearch search;
    uint32_t options = foSearchNow | foRegExpr | foMatchCase;
    int64_t matches = 0;
    for (auto _ : state) {
        matches = 0;
        int from = 0;
        int previousEnd = -1;
        while (auto match = search.SearchNext(pad.Store(), from, previousEnd, options, kRegex)) {
            ++matches;
            from = previousEnd = match->end;
        }
    }
    state.SetBytesProcessed(state.iterations() * pad.CharCount());
    state.counters["matches"] = static_cast<double>(matches);
}
BENCHMARK(BM_RegexEveryMatch)->Unit(benchmark::kMillisecond);

// The same regular expression where it does not occur (one pass, no matches).
void BM_RegexAbsent(benchmark::State& state) {
    TCustomLexipad& pad = LoadedPad();
    TStoreSearch search;
    for (auto _ : state) {
        auto match = search.Search(pad.Store(), 0, foSearchNow | foRegExpr | foMatchCase,
                                   "PORT[DE]\\.[0-7]");
        benchmark::DoNotOptimize(match);
    }
    state.SetBytesProcessed(state.iterations() * pad.CharCount());
}
BENCHMARK(BM_RegexAbsent)->Unit(benchmark::kMillisecond);

double ChildCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Each iteration's time is the CPU time grep used, so that it compares with
// the CPU time of the benchmarks above on a machine shared with other work.
void RunGrep(benchmark::State& state, const std::string& arguments) {
    const std::string& path = SampleFile();
    // Not to /dev/null: GNU grep then stops at the first match.
    std::string command = "grep " + arguments + " '" + path + "' > /tmp/quarno-bench-grep.out";
    for (auto _ : state) {
        double before = ChildCpuSeconds();
        if (std::system(command.c_str()) == -1) state.SkipWithError("grep could not be started");
        state.SetIterationTime(ChildCpuSeconds() - before);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(kFileSize));
}

void BM_GrepF(benchmark::State& state) {
    RunGrep(state, std::string("-F -c '") + kAbsent + "'");
}
BENCHMARK(BM_GrepF)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_GrepE(benchmark::State& state) {
    RunGrep(state, std::string("-E -c '") + kRegex + "'");
}
BENCHMARK(BM_GrepE)->Unit(benchmark::kMillisecond)->UseManualTime();

// Replace All of a word on about one line in ten of a 5 MB document (the
// run is then undone in one step, untimed, and checked).
void BM_ReplaceAllFrequentWord(benchmark::State& state) {
    const std::string text = test::SampleSource(5u << 20, 2, {"\r\n", 2000});
    int64_t replaced = 0;
    int64_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TCustomLexipad pad;
        pad.SetText(text);
        state.ResumeTiming();
        replaced = pad.ReplaceAll(foMatchCase | foWholeWord, "PORTB", "GPIOB");
        bytes += pad.CharCount();
        state.PauseTiming();
        pad.Undo();
        if (pad.Text().size() != text.size() - std::count(text.begin(), text.end(), '\n'))
            state.SkipWithError("the run did not undo in one step");
        state.ResumeTiming();
    }
    state.SetBytesProcessed(bytes);
    state.counters["replacements"] = static_cast<double>(replaced);
}
BENCHMARK(BM_ReplaceAllFrequentWord)->Unit(benchmark::kMillisecond);

// Replace All where every character matches: 20 MB of "x", each replaced by
// "yy" (20 million replacements in one undo step, whose size is reported).
void BM_ReplaceAllEveryCharacter(benchmark::State& state) {
    const std::string text(20u << 20, 'x');
    int64_t replaced = 0;
    int64_t undoBytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TCustomLexipad pad;
        pad.SetText(text);
        state.ResumeTiming();
        replaced = pad.ReplaceAll(foMatchCase, "x", "yy");
        state.PauseTiming();
        undoBytes = pad.Store().UndoStack()->AccountedSize();
        if (pad.CharCount() != 2 * static_cast<int>(text.size()))
            state.SkipWithError("not every character was replaced");
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    state.counters["replacements"] = static_cast<double>(replaced);
    state.counters["undo_bytes_per_text_byte"] =
        static_cast<double>(undoBytes) / static_cast<double>(text.size());
}
BENCHMARK(BM_ReplaceAllEveryCharacter)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace

QUARNO_BENCHMARK_MAIN()

// Benchmarks of the search engine over a 50 MB BASIC document (the corpus
// given with --corpus, else a generated one): the plain search for an absent
// literal, two absent regular expressions (one led by a literal, one by a
// class), every match of PORT[AB]\.[0-7], and Replace All. The same run times
// the anchors on the same file: memmem over the text in one flat buffer, and
// grep -F / grep -E as whole processes (start, reading the file and the scan,
// so their times hold work ours, timed with the text already loaded, does not).
#include "BenchCorpus.h"
#include "core/editor/TCustomLexipad.h"
#include "core/services/TStoreSearch.h"
#include "core/services/TStoreText.h"
#include "support/SampleSource.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

using namespace quarno;

namespace {

constexpr size_t kFileSize = 50u << 20;
// The patterns the peers measure (all absent from their corpus).
constexpr const char* kAbsent = "DELAYMS 99999";
constexpr const char* kGotoLabel = "GOTO +[A-Za-z_]+[0-9]*:";
constexpr const char* kBinaryAssign = "[A-Za-z_]+[0-9]+ *= *%[01]+[2-9]";
constexpr const char* kPorts = "PORT[AB]\\.[0-7]";

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

// The loaded text in one flat buffer (line breaks as the store keeps them).
const std::string& FlatText() {
    static const std::string text = LoadedPad().Text();
    return text;
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

// The ceiling for a literal search: glibc's memmem over one flat buffer.
void BM_MemmemFlatAbsent(benchmark::State& state) {
    const std::string& text = FlatText();
    for (auto _ : state) {
        const char* data = text.data();
        benchmark::DoNotOptimize(data);
        const void* found = memmem(data, text.size(), kAbsent, std::strlen(kAbsent));
        benchmark::DoNotOptimize(found);
        if (found) state.SkipWithError("the absent literal was found");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_MemmemFlatAbsent)->Unit(benchmark::kMillisecond);

// The floor of any scan over the records: visiting each one and reading
// its first and last character, which every search must load.
void BM_RecordWalkFloor(benchmark::State& state) {
    TCustomLexipad& pad = LoadedPad();
    for (auto _ : state) {
        TStoreText text(pad.Store());
        unsigned sum = 0;
        text.VisitRecords(0, [&](const char* data, int size, int, bool) {
            sum += static_cast<unsigned char>(data[0]) + static_cast<unsigned char>(data[size - 1]);
            return true;
        });
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(state.iterations() * pad.CharCount());
}
BENCHMARK(BM_RecordWalkFloor)->Unit(benchmark::kMillisecond);

void RegexAbsent(benchmark::State& state, const char* pattern) {
    TCustomLexipad& pad = LoadedPad();
    TStoreSearch search;
    for (auto _ : state) {
        auto match = search.Search(pad.Store(), 0, foSearchNow | foRegExpr | foMatchCase, pattern);
        if (match) state.SkipWithError("the absent expression was found");
    }
    state.SetBytesProcessed(state.iterations() * pad.CharCount());
}

void BM_RegexAbsentGotoLabel(benchmark::State& state) {
    RegexAbsent(state, kGotoLabel);
}
BENCHMARK(BM_RegexAbsentGotoLabel)->Unit(benchmark::kMillisecond);

void BM_RegexAbsentBinaryAssign(benchmark::State& state) {
    RegexAbsent(state, kBinaryAssign);
}
BENCHMARK(BM_RegexAbsentBinaryAssign)->Unit(benchmark::kMillisecond);

// Matches of PORT[AB]\.[0-7] counted by hand in the flat text: the count
// every-match walk must reach.
int64_t CountPorts(const std::string& text) {
    int64_t count = 0;
    for (size_t at = text.find("PORT"); at != std::string::npos; at = text.find("PORT", at + 1)) {
        if (at + 7 > text.size()) break;
        char bank = text[at + 4];
        char bit = text[at + 6];
        count += (bank == 'A' || bank == 'B') && text[at + 5] == '.' && bit >= '0' && bit <= '7';
    }
    return count;
}

// Walks through every match, as grep reads the whole file.
void BM_RegexEveryMatch(benchmark::State& state) {
    TCustomLexipad& pad = LoadedPad();
    const int64_t expected = CountPorts(FlatText());
    TStoreSearch search;
    uint32_t options = foSearchNow | foRegExpr | foMatchCase;
    int64_t matches = 0;
    for (auto _ : state) {
        matches = 0;
        int from = 0;
        int previousEnd = -1;
        while (auto match = search.SearchNext(pad.Store(), from, previousEnd, options, kPorts)) {
            ++matches;
            from = previousEnd = match->end;
        }
        if (matches != expected) state.SkipWithError("the match count differs from the text's");
    }
    state.SetBytesProcessed(state.iterations() * pad.CharCount());
    state.counters["matches"] = static_cast<double>(matches);
    state.counters["expected"] = static_cast<double>(expected);
}
BENCHMARK(BM_RegexEveryMatch)->Unit(benchmark::kMillisecond);

// The wall time of a whole grep process (LC_ALL=C, output discarded), as the
// peers' harness measures it: process start and reading the file included.
// The counter cpu_ms is the CPU time it used, to set beside the CPU time of
// ours when other work shares the machine.
void RunGrep(benchmark::State& state, std::vector<std::string> arguments, int expectedStatus) {
    arguments.insert(arguments.begin(), "grep");
    arguments.push_back(SampleFile());
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<std::string> environment{"LC_ALL=C"};
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "LC_ALL=", 7) != 0) environment.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    double cpuSeconds = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        pid_t pid = 0;
        int status = 0;
        rusage usage{};
        if (posix_spawnp(&pid, "grep", &actions, nullptr, argv.data(), envp.data()) != 0 ||
            wait4(pid, &status, 0, &usage) != pid) {
            state.SkipWithError("grep could not be run");
            break;
        }
        auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start);
        state.SetIterationTime(seconds.count());
        auto cpu = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
        cpuSeconds += cpu(usage.ru_utime) + cpu(usage.ru_stime);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != expectedStatus)
            state.SkipWithError("grep ended with another status");
    }
    posix_spawn_file_actions_destroy(&actions);
    state.counters["cpu_ms"] = 1000 * cpuSeconds / static_cast<double>(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(FlatText().size()));
}

void BM_GrepFAbsentProcess(benchmark::State& state) {
    RunGrep(state, {"-F", "--", kAbsent}, 1);
}
BENCHMARK(BM_GrepFAbsentProcess)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_GrepEGotoLabelProcess(benchmark::State& state) {
    RunGrep(state, {"-E", "--", kGotoLabel}, 1);
}
BENCHMARK(BM_GrepEGotoLabelProcess)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_GrepEBinaryAssignProcess(benchmark::State& state) {
    RunGrep(state, {"-E", "--", kBinaryAssign}, 1);
}
BENCHMARK(BM_GrepEBinaryAssignProcess)->Unit(benchmark::kMillisecond)->UseManualTime();

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

// Benchmarks of the document store: loading a 50 MB BASIC-like file, the
// memory a text byte costs after loading and after highlighting, mapping
// positions to lines, random edits and undoing them, and peak memory.
#include "BenchCorpus.h"
#include "BenchMemory.h"
#include "core/base/TFileStream.h"
#include "core/editor/TCustomLexipad.h"
#include "core/highlight/ShippedLanguages.h"
#include "support/SampleSource.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <sys/resource.h>

using namespace quarno;

namespace {

constexpr size_t kFileSize = 50u << 20;

// CR LF lines averaging about 40 characters; one line in 2000 is longer
// than a record holds.
const std::string& SampleFile() {
    static const std::string path = [] {
        if (!bench::CorpusPath().empty()) return bench::CorpusPath();
        std::string name = "/tmp/quarno-bench-store-50mb.bas";
        std::ifstream existing(name, std::ios::binary | std::ios::ate);
        if (existing && static_cast<size_t>(existing.tellg()) >= kFileSize)
            return name; // made by an earlier run; not making it keeps the memory figures clean
        std::string text = test::SampleSource(kFileSize, 1, {"\r\n", 2000});
        std::ofstream(name, std::ios::binary) << text;
        return name;
    }();
    return path;
}

double PeakResidentMB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

TCustomLexipad& LoadedPad() {
    static std::unique_ptr<TCustomLexipad> pad = [] {
        auto loaded = std::make_unique<TCustomLexipad>();
        loaded->LoadFromFile(SampleFile());
        return loaded;
    }();
    return *pad;
}

// Resident bytes per text byte the store keeps: after loading, and after a
// full highlighting with the shipped BASIC language. Runs first, while the
// heap holds nothing freed that a load could reuse unseen.
void BM_MemoryPerTextByte(benchmark::State& state) {
    const std::string& path = SampleFile();
    std::unique_ptr<TLexipadParser> parser = MakeShippedParser("basic");
    for (auto _ : state) {
        state.PauseTiming();
        bench::ReleaseFreedMemory();
        int64_t before = bench::ResidentBytes();
        {
            TCustomLexipad pad;
            state.ResumeTiming();
            pad.LoadFromFile(path);
            state.PauseTiming();
            double chars = static_cast<double>(pad.CharCount());
            state.counters["bytes_per_byte_loaded"] =
                static_cast<double>(bench::ResidentBytes() - before) / chars;
            pad.SetParser(1, parser.get());
            pad.Restyle();
            state.counters["bytes_per_byte_highlighted"] =
                static_cast<double>(bench::ResidentBytes() - before) / chars;
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MemoryPerTextByte)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_LoadFile(benchmark::State& state) {
    const std::string& path = SampleFile();
    double before = PeakResidentMB();
    int64_t bytes = 0;
    for (auto _ : state) {
        TCustomLexipad pad;
        pad.LoadFromFile(path);
        bytes += pad.CharCount();
        benchmark::DoNotOptimize(pad.LineCount());
    }
    state.SetBytesProcessed(bytes);
    state.counters["peak_rss_MB"] = PeakResidentMB();
    state.counters["rss_before_MB"] = before;
    // Characters stored per load (a CR LF pair is one), of the corpus when
    // one is given.
    state.counters["text_MB"] =
        static_cast<double>(bytes) / static_cast<double>(state.iterations()) / (1 << 20);
}
BENCHMARK(BM_LoadFile)->Unit(benchmark::kMillisecond)->Iterations(3);

// Positions within a screenful of a random top line, looked up the way the
// view does: the top line is set first (the anchor the view keeps), then each
// position goes through the engine. The store finds records by a search over
// its blocks, so this is expected to cost what BM_LookupAnywhere costs.
void BM_LookupNearAnchor(benchmark::State& state) {
    TCustomLexipad& pad = LoadedPad();
    std::mt19937 random(2);
    const TTextStore& store = pad.Store();
    int64_t misses = 0;
    for (auto _ : state) {
        int top = static_cast<int>(random() % static_cast<unsigned>(store.RecordCount() - 60));
        pad.SetTopLine(top);
        int from = store.RecordStart(top);
        int span = store.RecordStart(top + 50) - from;
        for (int i = 0; i < 10000; ++i) {
            int line = pad.LineFromChar(from + static_cast<int>(random() % span));
            misses += line < top || line >= top + 50;
        }
    }
    if (misses > 0) state.SkipWithError("a lookup left the screenful");
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_LookupNearAnchor)->Unit(benchmark::kMicrosecond);

void BM_LookupAnywhere(benchmark::State& state) {
    TCustomLexipad& pad = LoadedPad();
    std::mt19937 random(3);
    const TTextStore& store = pad.Store();
    for (auto _ : state)
        for (int i = 0; i < 10000; ++i)
            benchmark::DoNotOptimize(store.RecordFromPosition(
                static_cast<int>(random() % static_cast<unsigned>(store.CharCount()))));
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_LookupAnywhere)->Unit(benchmark::kMicrosecond);

// 10,000 insertions and 10,000 deletions at random places, then all undone.
void BM_EditAndUndoAll(benchmark::State& state) {
    TCustomLexipad& pad = LoadedPad();
    std::mt19937 random(4);
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i) {
            int at = static_cast<int>(random() % static_cast<unsigned>(pad.CharCount()));
            pad.SetSelection(at, at);
            pad.ReplaceSelection(i % 4 == 0 ? "    Toggle PORTB.1\r\n" : "Dec ");
        }
        for (int i = 0; i < 10000; ++i) {
            int at = static_cast<int>(random() % static_cast<unsigned>(pad.CharCount() - 8));
            pad.SetSelection(at, at + 1 + static_cast<int>(random() % 6));
            pad.ReplaceSelection({});
        }
        while (pad.CanUndo())
            pad.Undo();
    }
    state.SetItemsProcessed(state.iterations() * 20000);
    state.counters["peak_rss_MB"] = PeakResidentMB();
}
BENCHMARK(BM_EditAndUndoAll)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

QUARNO_BENCHMARK_MAIN()

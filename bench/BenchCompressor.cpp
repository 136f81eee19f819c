// Throughput of the compressor's block method (and the LZH method for
// comparison) on 4 MB of BASIC-like text and of random bytes.
#include "BenchCorpus.h"
#include "core/highlight/TCompressor.h"
#include "support/CompressorMemory.h"

#include <benchmark/benchmark.h>
#include <random>

using namespace quarno;

namespace {

constexpr size_t kSize = 4 << 20;

std::string Text() {
    static const char* words[] = {"PRINT AT 1,2,",
                                  "\"Hello World\"",
                                  " GOSUB Label",
                                  "\r",
                                  "HIGH PORTB.1",
                                  "DelayMS 500",
                                  "Var1 = Var1 + 1",
                                  "' comment",
                                  "FOR I = 0 TO 255",
                                  "NEXT",
                                  " "};
    std::mt19937 random(1);
    std::string text;
    while (text.size() < kSize)
        text += words[random() % std::size(words)];
    text.resize(kSize);
    return text;
}

std::string Random() {
    std::mt19937 random(2);
    std::string bytes(kSize, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

std::string Run(const std::string& input, int method, bool compress) {
    return test::RunCompressor(input, compress, method);
}

void Compress(benchmark::State& state, const std::string& input, int method) {
    size_t packed = 0;
    for (auto _ : state)
        packed = Run(input, method, true).size();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
    state.counters["ratio"] = static_cast<double>(packed) / static_cast<double>(input.size());
}

void Decompress(benchmark::State& state, const std::string& input, int method) {
    std::string container = Run(input, method, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(Run(container, method, false));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input.size()));
}

void BM_BlockCompressText(benchmark::State& state) {
    static const std::string input = Text();
    Compress(state, input, TCompressor::kMethodBlock);
}
void BM_BlockDecompressText(benchmark::State& state) {
    static const std::string input = Text();
    Decompress(state, input, TCompressor::kMethodBlock);
}
void BM_BlockCompressRandom(benchmark::State& state) {
    static const std::string input = Random();
    Compress(state, input, TCompressor::kMethodBlock);
}
void BM_BlockDecompressRandom(benchmark::State& state) {
    static const std::string input = Random();
    Decompress(state, input, TCompressor::kMethodBlock);
}
void BM_LzhCompressText(benchmark::State& state) {
    static const std::string input = Text();
    Compress(state, input, TCompressor::kMethodLzh);
}
void BM_LzhDecompressText(benchmark::State& state) {
    static const std::string input = Text();
    Decompress(state, input, TCompressor::kMethodLzh);
}

} // namespace

BENCHMARK(BM_BlockCompressText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlockDecompressText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlockCompressRandom)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlockDecompressRandom)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LzhCompressText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LzhDecompressText)->Unit(benchmark::kMillisecond);

QUARNO_BENCHMARK_MAIN()

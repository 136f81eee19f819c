// Where a benchmark's text comes from. With --corpus FILE on the command line
// (or QUARNO_BENCH_CORPUS in the environment) every benchmark reads that file,
// so our figures and the peers' are measured on the same bytes; without it each
// benchmark generates the sample it was written for.
#pragma once

#include "support/SampleSource.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

namespace quarno::bench {

inline std::string& CorpusOption() {
    static std::string path;
    return path;
}

// Takes "--corpus FILE" or "--corpus=FILE" out of argv before Google Benchmark
// sees the arguments (it rejects options it does not know).
inline void TakeCorpusOption(int& argc, char** argv) {
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--corpus") == 0 && i + 1 < argc)
            CorpusOption() = argv[++i];
        else if (std::strncmp(argv[i], "--corpus=", 9) == 0)
            CorpusOption() = argv[i] + 9;
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
}

// The corpus file given, or empty when the benchmark generates its text.
inline std::string CorpusPath() {
    if (!CorpusOption().empty()) return CorpusOption();
    const char* env = std::getenv("QUARNO_BENCH_CORPUS");
    return env ? env : "";
}

inline std::string ReadCorpus(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read the corpus " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The corpus text, or the generated sample of at least bytes characters.
inline std::string CorpusText(size_t bytes, unsigned seed, test::TSampleShape shape = {}) {
    std::string path = CorpusPath();
    return path.empty() ? test::SampleSource(bytes, seed, shape) : ReadCorpus(path);
}

// A file holding the text: the corpus itself, or the sample written once to
// /tmp under name.
inline std::string CorpusFile(size_t bytes, unsigned seed, test::TSampleShape shape,
                              const std::string& name) {
    std::string path = CorpusPath();
    if (!path.empty()) return path;
    path = "/tmp/" + name;
    std::ofstream(path, std::ios::binary) << test::SampleSource(bytes, seed, shape);
    return path;
}

inline int RunBenchmarks(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace quarno::bench

// Google Benchmark's main with the corpus option taken out first.
#define QUARNO_BENCHMARK_MAIN()                                                                    \
    int main(int argc, char** argv) {                                                              \
        quarno::bench::TakeCorpusOption(argc, argv);                                               \
        return quarno::bench::RunBenchmarks(argc, argv);                                           \
    }

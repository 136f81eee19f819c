// Benchmarks of the output viewers: loading a full program-memory HEX file
// with its grid fill, and the file scanner's content search over a large file.
#include "BenchCorpus.h"
#include "core/base/StringUtils.h"
#include "core/viewers/HexGridText.h"
#include "core/viewers/TFileScan.h"
#include "core/viewers/THexLoader.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace quarno;

// An INHX8M file filling all 8192 program words, 8 words a record.
static std::vector<std::string> FullProgramLines() {
    std::vector<std::string> lines;
    for (unsigned address = 0; address < 0x4000; address += 16) {
        unsigned sum = 16 + (address >> 8) + (address & 0xFF);
        std::string line = Format(":10%04X00", address);
        for (unsigned i = 0; i < 16; ++i) {
            unsigned byte = (address + i) & 0x3F;
            line += Format("%02X", byte);
            sum += byte;
        }
        lines.push_back(line + Format("%02X", (0x100 - (sum & 0xFF)) & 0xFF));
    }
    lines.emplace_back(":00000001FF");
    return lines;
}

static void BM_LoadFullHexFileAndFillGrid(benchmark::State& state) {
    std::vector<std::string> lines = FullProgramLines();
    THexImage image;
    for (auto _ : state) {
        THexLoader(image).LoadHexLines(lines);
        benchmark::DoNotOptimize(FillHexGrid(image));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lines.size()));
}
BENCHMARK(BM_LoadFullHexFileAndFillGrid);

static void BM_ContentSearchWordNotFound(benchmark::State& state) {
    std::string path = (std::filesystem::temp_directory_path() / "quarno-bench-scan.txt").string();
    {
        std::ofstream out(path, std::ios::binary);
        for (int i = 0; i < 100000; ++i)
            out << "    GoTo Main  ' line of a large BASIC source\r\n";
    }
    TFileScan scan;
    scan.SetSearchStrings({"DelayMS", "Symbol"});
    scan.SetSearchType(st_And);
    scan.SetSearchStringType(sst_Word);
    for (auto _ : state)
        benchmark::DoNotOptimize(scan.SearchFileContents(path));
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(std::filesystem::file_size(path)));
    std::remove(path.c_str());
}
BENCHMARK(BM_ContentSearchWordNotFound);
QUARNO_BENCHMARK_MAIN()

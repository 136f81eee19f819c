// Paginating a 100,000-line highlighted BASIC document for printing: printed
// lines with line numbers and print wrap, cut into pages of a Letter sheet at
// 600 dpi with a 1-inch margin, header and footer; and the runs of one page.
#include "BenchCorpus.h"
#include "core/editor/ITextMetrics.h"
#include "core/editor/TCustomLexipad.h"
#include "core/highlight/ShippedLanguages.h"
#include "core/highlight/TLexipadParser.h"
#include "core/print/PrintRuns.h"
#include "core/print/TPageFrame.h"
#include "core/print/TPrintPaginator.h"
#include "support/SampleSource.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string>

using namespace quarno;

namespace {

constexpr int kDpi = 600;
constexpr int kLineCount = 100000;

struct Document {
    std::unique_ptr<TLexipadParser> parser = MakeShippedParser("basic");
    TCustomLexipad pad;
    TFixedMetrics metrics{50, 100}; // Courier New 10 pt at 600 dpi
    Document() {
        std::string text = test::SampleSourceLines(kLineCount, 9);
        pad.SetParser(1, parser.get());
        pad.SetActiveParser(1);
        pad.SetOptions(pad.Options() | smoPrintWrap | smoPrintLineNos | smoPrintFilename |
                       smoPrintDate | smoPrintPageNos);
        pad.SetText(text);
    }
};

Document& TheDocument() {
    static Document document;
    return document;
}

TPrintRect Sheet() {
    return {kDpi, kDpi, kDpi * 17 / 2 - kDpi, kDpi * 11 - kDpi};
}

void BM_PaginateDocument(benchmark::State& state) {
    Document& doc = TheDocument();
    int pages = 0;
    for (auto _ : state) {
        TPrintPaginator paginator(doc.pad, doc.metrics, TPrintPaginator::WholeDocument(doc.pad));
        pages = 0;
        do {
            TPageFrame frame = MakePageFrame(Sheet(), doc.metrics.LineHeight(), doc.pad.Options(),
                                             "PROG.BAS", "date", pages + 1);
            TPrintPage page = paginator.NextPage(frame.body.Width(), frame.body.Height());
            benchmark::DoNotOptimize(page.lines.data());
            ++pages;
        } while (!paginator.Finished());
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PaginateDocument)->Unit(benchmark::kMillisecond);

void BM_RunsOfAPage(benchmark::State& state) {
    Document& doc = TheDocument();
    TPrintPaginator paginator(doc.pad, doc.metrics, TPrintPaginator::WholeDocument(doc.pad));
    TPrintPage page = paginator.NextPage(Sheet().Width(), Sheet().Height());
    for (auto _ : state)
        for (const TPrintLine& line : page.lines)
            benchmark::DoNotOptimize(PrintRuns(doc.pad, doc.metrics, line, false).size());
}
BENCHMARK(BM_RunsOfAPage)->Unit(benchmark::kMicrosecond);

} // namespace

QUARNO_BENCHMARK_MAIN()

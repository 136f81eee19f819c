// The print preview of a long document: laying out a 200,000-line BASIC
// source into pages and recording the first one, which is what stands
// between choosing Preview and seeing a page.
#include "QtBenchMain.h"
#include "qt/editor/TLexipad.h"
#include "qt/print/TPreviewPrinter.h"
#include "support/SampleSource.h"

#include <QApplication>
#include <QPrinter>

#include <benchmark/benchmark.h>

using namespace quarno;

namespace {

void BM_PreviewFirstPageOf200000Lines(benchmark::State& state) {
    TLexipad pad;
    pad.SetText(test::SampleSourceLines(200000, 9));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    TPreviewPrinter preview(&printer);
    int pages = 0;
    for (auto _ : state) {
        preview.PrintMemo(pad);
        benchmark::DoNotOptimize(preview.Pages(0).size());
        pages = preview.PageCount();
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PreviewFirstPageOf200000Lines)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}

// Benchmarks of the editing control on screen with the shipped BASIC
// language: painting a full 50 x 120 view into an offscreen image, the
// repaint after typing one character, paging through a 1,000,000-line
// document, and a keystroke end to end (a key event to the shown widget, the
// engine, the restyle and a synchronous repaint).
#include "QtBenchMain.h"
#include "core/highlight/ShippedLanguages.h"
#include "qt/editor/TLexipad.h"
#include "support/SampleSource.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string>

using namespace quarno;

namespace {

constexpr int kRows = 50;
constexpr int kColumns = 120;

// lines lines of the corpus (read again from its start when it has fewer),
// or of the generated sample; CR-separated, the store's form.
std::string DocumentLines(int lines) {
    std::string corpus;
    if (!bench::CorpusPath().empty()) corpus = bench::ReadCorpus(bench::CorpusPath());
    if (corpus.find_first_of("\r\n") == std::string::npos)
        return test::SampleSourceLines(lines, 7, "\r");
    std::string text;
    int count = 0;
    for (size_t i = 0; count < lines; i = (i + 1) % corpus.size()) {
        char c = corpus[i];
        if (c == '\n' && i > 0 && corpus[i - 1] == '\r') continue; // CR LF is one break
        bool lineBreak = c == '\r' || c == '\n';
        text.push_back(lineBreak ? '\r' : c);
        count += lineBreak;
    }
    return text;
}

// The shipped BASIC language, shared by every view.
TLexipadParser& Basic() {
    static std::unique_ptr<TLexipadParser> parser = MakeShippedParser("basic");
    return *parser;
}

// A document of lines BASIC statements, highlighted by the shipped language
// (completely, as after its idle highlighting), with line numbers and the
// right margin shown.
void Fill(TLexipad& pad, int lines) {
    pad.SetParser(1, &Basic());
    pad.SetText(DocumentLines(lines));
    pad.SetOptions(pad.Options() | smoLineNumbers | smoShowRMargin);
    pad.FinishRestyle();
}

struct View {
    std::unique_ptr<TLexipad> pad = std::make_unique<TLexipad>();
    QImage image;
    int width = 0;

    explicit View(int lines) {
        Fill(*pad, lines);
        width = pad->TextLeft() + kColumns * pad->CharWidth();
        pad->SetClientSize(width, kRows * pad->LineHeight());
        image = QImage(width, kRows * pad->LineHeight(), QImage::Format_ARGB32_Premultiplied);
    }

    void Paint(int first, int last) {
        QPainter painter(&image);
        pad->Painter().PaintRows(painter, first, last, width, TPaintState());
    }

    // The rows an incremental pass paints: those of flagged records.
    int PaintFlagged() {
        QPainter painter(&image);
        int painted = 0;
        const TTextStore& store = pad->Store();
        int top = pad->TopLine();
        int last = std::min(top + kRows, store.RecordCount()) - 1;
        for (int record = top; record <= last; ++record)
            if (store.Record(record).Flags() & (lfRepaint | lfRestyle)) {
                pad->Painter().PaintRows(painter, record - top, record - top, width, TPaintState());
                ++painted;
            }
        return painted;
    }
};

void BM_FullView(benchmark::State& state) {
    View view(2000);
    for (auto _ : state) {
        view.Paint(0, kRows - 1);
        benchmark::DoNotOptimize(view.image.constBits());
    }
    state.counters["rows"] = kRows;
    state.counters["columns"] = kColumns;
}
BENCHMARK(BM_FullView)->Unit(benchmark::kMillisecond);

// Typing one character into line 20, then the incremental repaint; the
// character is taken back (untimed) so every round types into the same text.
void BM_TypeOneCharacterAndRepaint(benchmark::State& state) {
    View view(2000);
    view.Paint(0, kRows - 1);
    int position = view.pad->LineIndex(20) + 6;
    int rows = 0;
    for (auto _ : state) {
        view.pad->SetSelection(position, position);
        view.pad->KeyPress('x');
        rows = view.PaintFlagged();
        state.PauseTiming();
        view.pad->ExecuteAction(caBACKSPACE, false);
        view.PaintFlagged();
        state.ResumeTiming();
    }
    state.counters["rows_repainted"] = rows;
}
BENCHMARK(BM_TypeOneCharacterAndRepaint)->Unit(benchmark::kMicrosecond);

void BM_RepaintAfterTypingOnly(benchmark::State& state) {
    View view(2000);
    view.Paint(0, kRows - 1);
    int position = view.pad->LineIndex(20) + 6;
    for (auto _ : state) {
        state.PauseTiming();
        view.pad->SetSelection(position, position);
        view.pad->KeyPress('x');
        state.ResumeTiming();
        view.PaintFlagged();
        state.PauseTiming();
        view.pad->ExecuteAction(caBACKSPACE, false);
        view.PaintFlagged();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RepaintAfterTypingOnly)->Unit(benchmark::kMicrosecond);

// A page down through the scroll bar, then the full view it asks for.
void BM_PageThroughAMillionLines(benchmark::State& state) {
    static View view(1000000);
    QScrollBar* bar = view.pad->verticalScrollBar();
    int64_t pages = 0;
    for (auto _ : state) {
        if (view.pad->TopLine() + kRows >= view.pad->LineCount()) view.pad->SetTopLine(0);
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        view.Paint(0, kRows - 1);
        ++pages;
    }
    state.SetItemsProcessed(pages);
    state.counters["scroll_max"] = bar->maximum();
}
BENCHMARK(BM_PageThroughAMillionLines)->Unit(benchmark::kMillisecond);

// A typed key end to end: a key event to the shown widget with the shipped
// BASIC language on a 1,000,000-line document, the engine, the restyle of
// the changed line and a synchronous repaint of the view.
void BM_KeystrokeEndToEnd(benchmark::State& state) {
    static View view(1000000);
    TLexipad& pad = *view.pad;
    pad.resize(view.width + 40, kRows * pad.LineHeight() + 40);
    pad.show();
    QCoreApplication::processEvents();
    int middle = pad.LineIndex(pad.LineCount() / 2);
    pad.SetSelection(middle, middle);
    pad.ScrollCaret();
    // Enter (CR) ends each typed line, so the lines stay as long as written.
    const QString typed = QStringLiteral("    DelayMS 250 ' a comment with \"quotes\"\r");
    const int before = pad.CharCount();
    int64_t keys = 0;
    for (auto _ : state) {
        QChar c = typed[static_cast<int>(keys % typed.size())];
        // Qt's key codes of printable ASCII are the characters themselves.
        int key = c == QChar('\r') ? int(Qt::Key_Return) : c.toUpper().unicode();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&pad, &press);
        QApplication::sendEvent(&pad, &release);
        pad.viewport()->repaint();
        ++keys;
    }
    if (pad.CharCount() - before < keys) state.SkipWithError("a key was not typed");
    state.SetItemsProcessed(keys);
    state.counters["us_per_key"] = benchmark::Counter(
        static_cast<double>(keys), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["lines"] = pad.LineCount();
}
BENCHMARK(BM_KeystrokeEndToEnd)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}

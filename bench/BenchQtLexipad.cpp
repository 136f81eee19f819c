// Benchmarks of the editing control on screen: painting a full 50 x 120 view
// of highlighted BASIC into an offscreen image, the repaint after typing one
// character, and paging through a 1,000,000-line document.
//
// The shipped BASIC parser is not in this build yet, so the text is given
// token bytes by a small keyword/number/string/comment scanner below, mapped
// to styles the way a language's settings map them.
#include "QtBenchMain.h"
#include "core/editor/LexipadMessages.h"
#include "qt/editor/TLexipad.h"
#include "support/SampleSource.h"

#include <QApplication>
#include <QPainter>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <cctype>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace quarno;

namespace {

constexpr int kRows = 50;
constexpr int kColumns = 120;
enum Token : uint8_t {
    tPlain = 0,
    tKeyword = 1,
    tNumber = 2,
    tString = 3,
    tComment = 4,
    tLabel = 5
};

bool IsKeyword(const std::string& word) {
    static const char* keywords[] = {"high",  "delayms", "low",    "if",     "then",
                                     "gosub", "print",   "at",     "dec",    "for",
                                     "to",    "next",    "symbol", "select", "case",
                                     "else",  "hserout", "toggle", "while",  "wend"};
    for (const char* keyword : keywords)
        if (word == keyword) return true;
    return false;
}

// Token bytes of one line (without its CR).
void Scan(const std::string& line, std::vector<uint8_t>& tokens) {
    size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        size_t start = i;
        Token token = tPlain;
        if (c == '\'') {
            i = line.size();
            token = tComment;
        } else if (c == '"') {
            i = line.find('"', i + 1);
            i = i == std::string::npos ? line.size() : i + 1;
            token = tString;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            while (i < line.size() && std::isdigit(static_cast<unsigned char>(line[i])))
                ++i;
            token = tNumber;
        } else if (std::isalpha(static_cast<unsigned char>(c))) {
            std::string word;
            while (i < line.size() &&
                   (std::isalnum(static_cast<unsigned char>(line[i])) || line[i] == '_'))
                word += static_cast<char>(std::tolower(static_cast<unsigned char>(line[i++])));
            token = i < line.size() && line[i] == ':' && start == 0 ? tLabel
                    : IsKeyword(word)                               ? tKeyword
                                                                    : tPlain;
        } else {
            ++i;
        }
        tokens.insert(tokens.end(), i - start, token);
    }
}

// A document of lines BASIC statements, its token bytes set and a style table
// like a language's: bold blue keywords, red numbers, teal strings, italic
// green comments, bold labels.
void Fill(TLexipad& pad, int lines) {
    std::mt19937 random(7);
    std::string text;
    std::vector<uint8_t> tokens;
    for (int i = 0; i < lines; ++i) {
        std::string line = test::kSampleStatements[random() % std::size(test::kSampleStatements)];
        Scan(line, tokens);
        tokens.push_back(tPlain);
        text += line + "\r";
    }
    pad.SetText(text);
    TLP_Settings& settings = pad.Settings();
    settings.SetStyle(0, {0, 0x000000, 0xFFFFFF, 0, 0, 0, 1});
    settings.SetStyle(1, {kFsBold, 0x800000, 0xFFFFFF, 0, 1, 0, 1});
    settings.SetStyle(2, {0, 0x0000C0, 0xFFFFFF, 0, 1, 0, 1});
    settings.SetStyle(3, {0, 0x808000, 0xFFFFFF, 0, 1, 0, 1});
    settings.SetStyle(4, {kFsItalic, 0x008000, 0xFFFFFF, 0, 1, 0, 1});
    settings.SetStyle(5, {kFsBold, 0x000080, 0xFFFFFF, 0, 1, 0, 1});
    for (uint8_t token = 1; token <= 5; ++token)
        settings.SetTokenStyle(token, token);
    pad.SetOptions(pad.Options() | smoLineNumbers | smoShowRMargin);
    pad.Perform(LPM_SETSTYLES, 0, tokens.data());
    pad.SettingsChanged();
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

} // namespace

int main(int argc, char** argv) {
    return RunQtBenchmarks(argc, argv);
}

// The editing control's painting, checked on the pixels that matter.
#include "core/editor/LexipadMessages.h"
#include "core/highlight/ShippedLanguages.h"
#include "qt/editor/LexipadColors.h"
#include "qt/editor/TLexipad.h"
#include "qt/editor/TLexipadGlyphs.h"
#include "support/SampleSource.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <vector>

using namespace quarno;

namespace {

constexpr QRgb kTeal = qRgb(0, 128, 128);
constexpr int32_t kTealValue = 0x808000;

struct Area {
    int x, y, width, height;
};

// Pixels of an area for which test holds.
int Count(const QImage& image, Area area, const std::function<bool(QRgb)>& test) {
    int count = 0;
    for (int y = area.y; y < area.y + area.height; ++y)
        for (int x = area.x; x < area.x + area.width; ++x)
            if (x >= 0 && y >= 0 && x < image.width() && y < image.height() &&
                test(image.pixel(x, y)))
                ++count;
    return count;
}

bool Reddish(QRgb c) {
    return qRed(c) > 150 && qGreen(c) < 110 && qBlue(c) < 110;
}

// The cells of count characters from a position.
Area Cells(TLexipad& pad, int position, int count) {
    TPoint at = pad.PosFromChar(position);
    return {at.x, at.y, count * pad.CharWidth(), pad.LineHeight()};
}

// The number part of a row's gutter cell (left of the white line).
Area GutterCell(TLexipad& pad, int row) {
    return {0, row * pad.LineHeight(), pad.Gutter() - 4, pad.LineHeight()};
}

void SetTokens(TLexipad& pad, int line, std::vector<uint8_t> tokens) {
    int lines[2] = {line, line};
    pad.Perform(LPM_SETSTYLES, reinterpret_cast<uintptr_t>(lines), tokens.data());
}

// Whether records first..last hold the bytes a complete restyle gives.
bool SameBytes(const TTextStore& store, const TTextStore& reference, int first, int last) {
    for (int record = first; record <= last; ++record) {
        const uint8_t* bytes = store.Record(record).Tokens();
        const uint8_t* expected = reference.Record(record).Tokens();
        int length = store.Record(record).Length();
        if (!bytes || !expected || !std::equal(bytes, bytes + length, expected)) return false;
    }
    return true;
}

} // namespace

class LexipadPaintTest : public QObject {
    Q_OBJECT
private slots:
    // After a load the rows shown are highlighted and painted at once; the
    // rest of the document follows in idle time.
    void paintsBeforeTheWholeDocumentIsHighlighted();
    void keywordTakesItsStylesColourAndBoldness();
    void selectionTakesTheSelectionColours();
    void breakpointLineTakesItsColours();
    void gutterNumbersOnlyOnRealLines();
    void bookmarkGlyphReplacesTheNumber();
    void rangeMarkIsZigZaggedOrHandedToTheOwner();
    void rightMarginLineFollowsTheColumn();
    void typingRepaintsOneRowAndTheLockPaintsNothing();
    void gutterWidensForSixDigitNumbers();
    void caretBlinkWaitsUnderTheLock();
    void metricsAreFixedPitchCells();
    void drawLineHandlerMayTakeOverALine();
    void caretIsABarOrABlockInOverwriteMode();
};

void LexipadPaintTest::keywordTakesItsStylesColourAndBoldness() {
    TLexipad pad;
    pad.resize(500, 200);
    pad.SetText("IF x THEN");
    TLP_Style keyword{kFsBold, 0x0000FF, 0xFFFFFF, 0, 0, 0, 1}; // red on white
    pad.Settings().SetStyle(3, keyword);
    pad.Settings().SetTokenStyle(7, 3);
    SetTokens(pad, 0, {7, 7, 0, 0, 0, 7, 7, 7, 7});
    QImage bold = pad.RenderView();
    Area word = Cells(pad, 0, 2);
    Area plain = Cells(pad, 3, 1);
    int boldInk = Count(bold, word, Reddish);
    QVERIFY2(boldInk > 10, "the keyword is drawn in its style's colour");
    QCOMPARE(Count(bold, plain, Reddish), 0);
    QVERIFY(Count(bold, plain, [](QRgb c) { return qGray(c) < 100; }) > 3);

    keyword.fontStyle = 0;
    pad.Settings().SetStyle(3, keyword);
    pad.SettingsChanged();
    int regularInk = Count(pad.RenderView(), word, Reddish);
    QVERIFY2(boldInk > regularInk * 6 / 5,
             qPrintable(QString("bold %1, regular %2").arg(boldInk).arg(regularInk)));

    pad.SetOptions(pad.Options() & ~smoSyntaxHighlight);
    QCOMPARE(Count(pad.RenderView(), word, Reddish), 0);
}

void LexipadPaintTest::selectionTakesTheSelectionColours() {
    TLexipad pad;
    pad.resize(500, 200);
    pad.SetSelTextColor(colors::White);
    pad.SetSelTextBack(kTealValue);
    pad.SetText("abc def\rnext");
    pad.SetSelection(4, 7);
    auto teal = [](QRgb c) { return c == kTeal; };
    auto white = [](QRgb c) { return qGray(c) > 240; };
    QImage hidden = pad.RenderView();
    QCOMPARE(Count(hidden, Cells(pad, 4, 3), teal), 0); // no focus, HideSelection on

    pad.SetHideSelection(false);
    QImage shown = pad.RenderView();
    Area selected = Cells(pad, 4, 3);
    QVERIFY(Count(shown, selected, teal) > selected.width * selected.height / 2);
    QVERIFY2(Count(shown, selected, white) > 5, "the selected text is white");
    QCOMPARE(Count(shown, Cells(pad, 0, 3), teal), 0);
    Area rest{selected.x + selected.width, selected.y, 100, selected.height};
    QCOMPARE(Count(shown, rest, teal), 0); // the row is not filled without the line break

    pad.SetSelection(4, 9); // through the line break
    QImage past = pad.RenderView();
    QCOMPARE(Count(past, rest, teal), rest.width * rest.height);
}

void LexipadPaintTest::breakpointLineTakesItsColours() {
    TLexipad pad;
    pad.resize(500, 200);
    pad.SetText("one\rtwo\rthree");
    pad.Store().Breakpoints().Add(4);
    QImage image = pad.RenderView();
    Area line = Cells(pad, 4, 3);
    QVERIFY(Count(image, line, [](QRgb c) { return c == qRgb(255, 0, 0); }) >
            line.width * line.height / 2);
    QCOMPARE(Count(image, Cells(pad, 0, 3), Reddish), 0);
    Area gutter = GutterCell(pad, 1);
    QVERIFY2(Count(image, gutter, Reddish) > 10, "the breakpoint glyph");
}

void LexipadPaintTest::gutterNumbersOnlyOnRealLines() {
    TLexipad pad;
    pad.resize(500, 300);
    pad.SetOptions((pad.Options() | smoLineNumbers | smoWordWrap) & ~smoShowWrapGlyph);
    pad.SetWrapAtColumn(10);
    pad.SetText("aaaa bbbb cccc dddd eeee\rshort");
    QCOMPARE(pad.Store().RecordCount(), 4);
    QImage image = pad.RenderView();
    QColor gutter = LexipadColor(colors::BtnFace, pad.palette());
    auto ink = [&](QRgb c) { return c != gutter.rgb() && c != qRgb(255, 255, 255); };
    QVERIFY(Count(image, GutterCell(pad, 0), ink) > 5);
    QCOMPARE(Count(image, GutterCell(pad, 1), ink), 0);
    QCOMPARE(Count(image, GutterCell(pad, 2), ink), 0);
    QVERIFY(Count(image, GutterCell(pad, 3), ink) > 5);
    QCOMPARE(Count(image, GutterCell(pad, 5), ink), 0); // no number below the text
    // The second line's number is "2", not the record count "4".
    QImage two = image.copy(0, 3 * pad.LineHeight(), pad.Gutter() - 4, pad.LineHeight());
    pad.SetText("x\ry");
    QImage reference =
        pad.RenderView().copy(0, pad.LineHeight(), pad.Gutter() - 4, pad.LineHeight());
    QCOMPARE(two, reference);

    pad.SetOptions(pad.Options() & ~smoLineNumbers);
    QCOMPARE(Count(pad.RenderView(), GutterCell(pad, 0), ink), 0);
    // With smoShowWrapGlyph a continuation shows the wrap mark instead.
    pad.SetText("aaaa bbbb cccc dddd eeee\rshort");
    pad.SetOptions(pad.Options() | smoShowWrapGlyph);
    QImage glyphs = pad.RenderView();
    QVERIFY(Count(glyphs, GutterCell(pad, 1), ink) > 5);
    QCOMPARE(Count(glyphs, GutterCell(pad, 0), ink), 0);
}

void LexipadPaintTest::bookmarkGlyphReplacesTheNumber() {
    TLexipad pad;
    pad.resize(500, 200);
    pad.SetOptions(pad.Options() | smoLineNumbers);
    pad.SetText("one\rtwo\rthree");
    pad.SetBookmark(3, 2);
    QImage image = pad.RenderView();
    auto face = [](QRgb c) { return c == TLexipadGlyphs::kBookmarkFace; };
    QVERIFY(Count(image, GutterCell(pad, 1), face) > 20);
    QCOMPARE(Count(image, GutterCell(pad, 0), face), 0);
    QCOMPARE(Count(image, GutterCell(pad, 2), face), 0);
    // Another bookmark digit is another picture.
    QImage three = image.copy(0, pad.LineHeight(), pad.Gutter(), pad.LineHeight());
    pad.SetBookmark(4, 2);
    QImage four = pad.RenderView().copy(0, pad.LineHeight(), pad.Gutter(), pad.LineHeight());
    QVERIFY(three != four);
}

void LexipadPaintTest::rangeMarkIsZigZaggedOrHandedToTheOwner() {
    TLexipad pad;
    pad.resize(500, 200);
    pad.SetText("xx marked yy");
    pad.Store().RangeMarks().Add(3, 6, 1193046);
    QImage image = pad.RenderView();
    Area marked = Cells(pad, 3, 6);
    int height = pad.LineHeight();
    Area bottom{marked.x, marked.y + height - 4, marked.width, 4};
    Area top{marked.x, marked.y, marked.width, height - 4};
    auto red = [](QRgb c) { return c == qRgb(255, 0, 0); };
    QVERIFY(Count(image, bottom, red) >= marked.width);
    QCOMPARE(Count(image, top, red), 0);
    QCOMPARE(Count(image, Cells(pad, 0, 2), red), 0);
    // Two heights, 2 pixels apart.
    QVERIFY(Count(image, {marked.x, marked.y + height - 2, marked.width, 1}, red) > 0);
    QVERIFY(Count(image, {marked.x, marked.y + height - 4, marked.width, 1}, red) > 0);

    std::vector<QRect> rects;
    pad.OnDrawMark = [&](TLexipad&, QPainter& dc, const QRect& rect, TRangeMark& mark) {
        QCOMPARE(mark.value, 1193046);
        rects.push_back(rect);
        dc.setCompositionMode(QPainter::CompositionMode_Difference);
        dc.fillRect(rect, Qt::white);
    };
    QImage owned = pad.RenderView();
    QCOMPARE(rects.size(), size_t(1));
    QCOMPARE(rects[0], QRect(marked.x, marked.y, marked.width, height - 1));
    QCOMPARE(Count(owned, bottom, red), 0);
    QVERIFY2(Count(owned, top, [](QRgb c) { return qGray(c) < 30; }) > marked.width * 4,
             "the owner inverted the mark");
}

void LexipadPaintTest::rightMarginLineFollowsTheColumn() {
    TLexipad pad;
    pad.resize(600, 200);
    pad.SetText("short\rlines");
    pad.SetRightMargin(20);
    auto silver = [](QRgb c) { return c == qRgb(192, 192, 192); };
    int x = pad.TextLeft() + 20 * pad.CharWidth();
    Area column{x, 0, 1, pad.LineHeight() * 4};
    pad.SetOptions(pad.Options() & ~smoShowRMargin);
    QCOMPARE(Count(pad.RenderView(), column, silver), 0);
    pad.SetOptions(pad.Options() | smoShowRMargin);
    QCOMPARE(Count(pad.RenderView(), column, silver), column.height);
    pad.SetLeftCol(3);
    QImage scrolled = pad.RenderView();
    QCOMPARE(Count(scrolled, column, silver), 0);
    column.x -= 3 * pad.CharWidth();
    QCOMPARE(Count(scrolled, column, silver), column.height);
}

// Only the typed row is painted again; under the painting lock nothing is.
void LexipadPaintTest::typingRepaintsOneRowAndTheLockPaintsNothing() {
    TLexipad pad;
    pad.resize(500, 300);
    std::string text;
    for (int i = 0; i < 30; ++i)
        text += "line " + std::to_string(i) + "\r";
    pad.SetText(text);
    pad.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pad));
    struct PaintSpy : QObject {
        QRegion painted;
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint) {
                painted += static_cast<QPaintEvent*>(event)->region();
                ++paints;
            }
            return false;
        }
    } spy;
    pad.viewport()->installEventFilter(&spy);
    QCoreApplication::processEvents();
    pad.SetSelection(7 * 7 + 2, 7 * 7 + 2); // inside "line 7"
    QCoreApplication::processEvents();
    spy.painted = QRegion();
    QTest::keyClick(&pad, Qt::Key_X);
    QCoreApplication::processEvents();
    QCOMPARE(pad.LineText(7), std::string("lixne 7"));
    int height = pad.LineHeight();
    QCOMPARE(spy.painted.boundingRect().top(), 7 * height);
    QCOMPARE(spy.painted.boundingRect().height(), height);

    spy.paints = 0;
    pad.LockUpdate(true);
    pad.SetSelection(0, 0);
    pad.ReplaceSelection("new first line\r");
    pad.SetTopLine(3);
    QCoreApplication::processEvents();
    QCOMPARE(spy.paints, 0);
    pad.LockUpdate(false);
    spy.painted = QRegion();
    QCoreApplication::processEvents();
    QVERIFY(spy.paints > 0);
    QCOMPARE(spy.painted.boundingRect(), pad.viewport()->rect());
}

// With the caret blinking every millisecond, the painting lock still keeps
// every row untouched until it is released.
void LexipadPaintTest::caretBlinkWaitsUnderTheLock() {
    TLexipad pad;
    pad.resize(300, 100);
    pad.SetText("abc\rdef");
    pad.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pad));
    pad.activateWindow();
    pad.setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&pad));
    const int flashTime = QApplication::cursorFlashTime();
    QApplication::setCursorFlashTime(2);
    pad.SetSelection(1, 1); // restarts the blinking at the new rate
    int paints = 0;
    struct PaintCounter : QObject {
        int& count;
        explicit PaintCounter(int& counter) : count(counter) {}
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint) ++count;
            return false;
        }
    } counter(paints);
    pad.viewport()->installEventFilter(&counter);
    pad.LockUpdate(true);
    QCoreApplication::processEvents();
    paints = 0;
    QTest::qWait(30);
    int underLock = paints;
    pad.LockUpdate(false);
    QApplication::setCursorFlashTime(flashTime);
    QCOMPARE(underLock, 0);
}

// A six-digit line number is drawn whole: the gutter grows past its setting
// by what the digits need, and the text moves right with it.
void LexipadPaintTest::gutterWidensForSixDigitNumbers() {
    TLexipad pad;
    pad.resize(500, 200);
    pad.SetOptions(pad.Options() | smoLineNumbers | smoShowGutter);
    pad.SetText("a\rb\rc");
    const int setting = pad.Gutter();
    QCOMPARE(pad.GutterWidth(), setting);
    std::string text;
    for (int line = 0; line < 100000; ++line)
        text += "x\r";
    pad.SetText(text);
    QVERIFY2(pad.GutterWidth() > setting, "six digits do not fit the gutter's setting");
    QCOMPARE(pad.TextLeft(), pad.GutterWidth() + pad.Margin());
    pad.SetTopLine(99995);
    QImage image = pad.RenderView();
    QColor gutter = LexipadColor(colors::BtnFace, pad.palette());
    // The last digit of "100000" lies beyond where the setting would end.
    Area beyond{setting, (99999 - 99995) * pad.LineHeight(), pad.GutterWidth() - setting - 4,
                pad.LineHeight()};
    QVERIFY(Count(image, beyond, [&](QRgb c) { return qGray(c) < qGray(gutter.rgb()) - 60; }) > 3);
    QCOMPARE(pad.CharFromPos({pad.GutterWidth() + pad.Margin() + 1, 1}), pad.LineIndex(99995));
}

void LexipadPaintTest::metricsAreFixedPitchCells() {
    TLexipad pad;
    const TLexipadMetrics& metrics = pad.TextMetrics();
    QVERIFY(metrics.FixedPitch()); // Courier New, or what fontconfig gives for it
    pad.SetText("abcdef");
    QFont boldItalic = metrics.Font();
    boldItalic.setBold(true);
    boldItalic.setItalic(true);
    QFontMetrics measured(boldItalic);
    QCOMPARE(metrics.LineHeight(), measured.height() + std::max(measured.leading(), 0) + 1);
    QCOMPARE(metrics.CharWidth(), QFontMetrics(metrics.Font()).horizontalAdvance('W'));
    QCOMPARE(pad.PosFromChar(3).x - pad.PosFromChar(0).x, 3 * metrics.CharWidth());

    pad.SetFont(QFont("Liberation Sans", 12));
    QVERIFY(!pad.TextMetrics().FixedPitch());
    QCOMPARE(pad.Settings().FontName(), std::string("Liberation Sans"));
    QCOMPARE(pad.Settings().FontSize(), 12);
    pad.SetText("iiWW");
    QVERIFY(pad.PosFromChar(2).x - pad.PosFromChar(0).x <
            pad.PosFromChar(4).x - pad.PosFromChar(2).x);
}

void LexipadPaintTest::drawLineHandlerMayTakeOverALine() {
    TLexipad pad;
    pad.resize(500, 200);
    pad.SetText("a\tb\rsecond\rthird");
    pad.SetTabDefault(4);
    std::vector<std::string> texts;
    std::vector<int> firsts;
    bool consistent = true;
    pad.OnDrawLine = [&](TLexipad&, TLineDrawData& data) {
        texts.push_back(data.text);
        firsts.push_back(data.firstChar);
        consistent = consistent && data.count == int(data.text.size()) &&
                     data.rect.left() == pad.TextLeft() && data.version == 1;
        if (data.firstChar == 4) {
            data.dc->fillRect(data.rect, Qt::blue);
            data.result = true;
        }
        return 0;
    };
    QImage image = pad.RenderView();
    QCOMPARE(texts, (std::vector<std::string>{"a   b", "second", "third"}));
    QCOMPARE(firsts, (std::vector<int>{0, 4, 11}));
    QVERIFY(consistent);
    Area second = Cells(pad, 4, 6);
    QCOMPARE(Count(image, second, [](QRgb c) { return c == qRgb(0, 0, 255); }),
             second.width * second.height);
}

void LexipadPaintTest::caretIsABarOrABlockInOverwriteMode() {
    TLexipad pad;
    pad.SetText("ab\tc\rxy");
    pad.SetTabDefault(8);
    TLexipadPainter& painter = pad.Painter();
    QCOMPARE(painter.CaretRect(1, false), QRect(pad.PosFromChar(1).x, 0, 2, pad.LineHeight()));
    pad.SetInsertMode(false);
    pad.SetOptions(pad.Options() | smoBlockOverwriteCursor);
    QCOMPARE(painter.CaretRect(1, false).width(), pad.CharWidth());
    QCOMPARE(painter.CaretRect(2, false).width(), 6 * pad.CharWidth()); // the TAB's cells
    QCOMPARE(painter.CaretRect(4, false).width(), pad.CharWidth());     // at the line end
    pad.SetOptions(pad.Options() & ~smoBlockOverwriteCursor);
    QCOMPARE(painter.CaretRect(1, false).width(), 2);
    pad.SetOptions(pad.Options() | smoCaretAfterEOL);
    pad.SetSelection(4, 4);
    pad.ExecuteAction(caRIGHT, false);
    pad.ExecuteAction(caRIGHT, false);
    QVERIFY(pad.BeyondLineEnd());
    QCOMPARE(painter.CaretRect(pad.CaretPos(), true).left(),
             pad.TextLeft() + pad.VirtualColumn() * pad.CharWidth());
    pad.SetText("end\r");
    QCOMPARE(painter.CaretRect(4, false).topLeft(), QPoint(pad.TextLeft(), pad.LineHeight()));
}

void LexipadPaintTest::paintsBeforeTheWholeDocumentIsHighlighted() {
    std::unique_ptr<TLexipadParser> parser = MakeShippedParser("basic");
    const std::string text = test::SampleSource(1 << 20, 11, {"\r"});
    TCustomLexipad reference;
    reference.SetParser(1, parser.get());
    reference.SetText(text);
    const TTextStore& full = reference.Store();
    const int last = full.RecordCount() - 1;

    TLexipad pad;
    pad.resize(500, 300);
    pad.SetParser(1, parser.get());
    pad.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pad));
    pad.SetText(text);
    pad.viewport()->repaint();
    const TTextStore& store = pad.Store();
    const int rows = pad.VisibleRows();
    QVERIFY(pad.RestylePending());
    QVERIFY(SameBytes(store, full, 0, rows));
    QVERIFY(!store.Record(last).Tokens());

    // Rows shown at the end are highlighted from the line before them.
    pad.SetTopLine(last - rows + 1);
    pad.viewport()->repaint();
    QVERIFY(SameBytes(store, full, last - rows + 1, last));
    QVERIFY(!store.Record(last / 2).Tokens());

    for (int guard = 0; pad.RestylePending() && guard < 100000; ++guard)
        QCoreApplication::processEvents();
    QVERIFY(!pad.RestylePending());
    QVERIFY(SameBytes(store, full, 0, last));
}

QTEST_MAIN(LexipadPaintTest)
#include "LexipadPaintTest.moc"

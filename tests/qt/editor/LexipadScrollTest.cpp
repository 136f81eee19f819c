// The editing control's scroll bars: the scaled range of long documents,
// steps in lines and columns, and the bars following the view.
#include "qt/editor/TLexipad.h"

#include <QScrollBar>
#include <QtTest>

using namespace quarno;

namespace {

std::string Lines(int count, const std::string& line = "line") {
    std::string text;
    text.reserve(static_cast<size_t>(count) * (line.size() + 1));
    for (int i = 0; i < count; ++i)
        text += line + "\r";
    return text;
}

} // namespace

class LexipadScrollTest : public QObject {
    Q_OBJECT
private slots:
    void longDocumentReachesItsLastLine_data();
    void longDocumentReachesItsLastLine();
    void arrowsAndPagesMoveByLinesAndViews();
    void horizontalBarCoversTheLongestLine();
    void caretStaysVisibleInStepsOfEightColumns();
};

void LexipadScrollTest::longDocumentReachesItsLastLine_data() {
    QTest::addColumn<int>("lines");
    QTest::newRow("100000") << 100000;
    QTest::newRow("100003") << 100003;
    QTest::newRow("31999") << 31999;
}

void LexipadScrollTest::longDocumentReachesItsLastLine() {
    QFETCH(int, lines);
    TLexipad pad;
    pad.resize(400, 300);
    pad.SetText(Lines(lines - 1) + "last");
    QCOMPARE(pad.LineCount(), lines);
    QScrollBar* bar = pad.verticalScrollBar();
    QVERIFY(bar->maximum() < 32000);
    QVERIFY(bar->maximum() > 0);
    bar->setSliderPosition(bar->maximum()); // the thumb dragged to the bottom
    int last = lines - 1;
    QVERIFY2(pad.TopLine() <= last && pad.TopLine() + pad.VisibleRows() > last,
             qPrintable(QString("top %1, rows %2").arg(pad.TopLine()).arg(pad.VisibleRows())));
    QCOMPARE(bar->value(), bar->maximum());
    bar->setSliderPosition(bar->maximum() / 2);
    QVERIFY(std::abs(pad.TopLine() - lines / 2) <= pad.VisibleRows());
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    QCOMPARE(pad.TopLine(), 0);
}

void LexipadScrollTest::arrowsAndPagesMoveByLinesAndViews() {
    TLexipad pad;
    pad.resize(400, 300);
    pad.SetText(Lines(100000));
    QScrollBar* bar = pad.verticalScrollBar();
    pad.SetTopLine(5001);
    QCOMPARE(bar->value(), 5001 / 4); // 100001 lines scale by 4
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(pad.TopLine(), 5002);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(pad.TopLine(), 5000);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(pad.TopLine(), 5000 + pad.VisibleRows());
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(pad.TopLine(), 5000);
    QCOMPARE(bar->value(), 5000 / 4);
}

void LexipadScrollTest::horizontalBarCoversTheLongestLine() {
    TLexipad pad;
    pad.resize(400, 300);
    pad.SetText(Lines(3) + std::string(300, 'x'));
    QScrollBar* bar = pad.horizontalScrollBar();
    QCOMPARE(bar->maximum(), 300 - pad.VisibleCols() + 1);
    QCOMPARE(bar->pageStep(), pad.VisibleCols());
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(pad.LeftCol(), 1);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(pad.LeftCol(), 1 + pad.VisibleCols());
    bar->setSliderPosition(bar->maximum());
    QCOMPARE(pad.LeftCol(), bar->maximum());
    pad.SetWordWrap(true);
    QCOMPARE(pad.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(pad.verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    pad.SetScrollBars(TLexipad::ssNone);
    QCOMPARE(pad.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

void LexipadScrollTest::caretStaysVisibleInStepsOfEightColumns() {
    TLexipad pad;
    pad.resize(300, 200);
    pad.SetText(std::string(200, 'y'));
    int columns = pad.VisibleCols();
    for (int i = 0; i < columns + 3; ++i)
        QTest::keyClick(&pad, Qt::Key_Right);
    QCOMPARE(pad.LeftCol() % 8, 0);
    QVERIFY(pad.LeftCol() > 0);
    QVERIFY(pad.CaretPos() >= pad.LeftCol() && pad.CaretPos() < pad.LeftCol() + columns);
    QCOMPARE(pad.horizontalScrollBar()->value(), pad.LeftCol());
}

QTEST_MAIN(LexipadScrollTest)
#include "LexipadScrollTest.moc"

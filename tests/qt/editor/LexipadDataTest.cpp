// The editing control and the desktop's data exchange: the clipboard's
// formats after a copy, pastes, and text and files dropped on the control.
#include "core/editor/LexipadMessages.h"
#include "qt/editor/TLexipad.h"
#include "support/CaretText.h"

#include <QClipboard>
#include <QMimeData>
#include <QUrl>
#include <QtTest>

using namespace quarno;
using quarno::test::CaretText;
using quarno::test::SetCaretText;

namespace {

QPoint PointOf(TLexipad& pad, int position) {
    TPoint at = pad.PosFromChar(position);
    return {at.x + 1, at.y + pad.LineHeight() / 2};
}

// Sends a drag entering at a point, then the drop there; returns whether the
// entering drag was accepted and the drop's action.
struct DropOutcome {
    bool entered = false;
    Qt::DropAction action = Qt::IgnoreAction;
    bool accepted = false;
};

DropOutcome DragAndDrop(TLexipad& pad, QMimeData& data, QPoint at,
                        Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    DropOutcome outcome;
    Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, modifiers);
    QApplication::sendEvent(pad.viewport(), &enter);
    outcome.entered = enter.isAccepted();
    if (!outcome.entered) return outcome;
    QDropEvent drop(at, actions, &data, Qt::LeftButton, modifiers);
    QApplication::sendEvent(pad.viewport(), &drop);
    outcome.accepted = drop.isAccepted();
    outcome.action = drop.dropAction();
    return outcome;
}

} // namespace

class LexipadDataTest : public QObject {
    Q_OBJECT
private slots:
    void copyPutsPlainTextRichTextAndHtml();
    void copyWithoutRtfPutsOnlyText();
    void cutIsOneUndoStepAndPasteTakesText();
    void pasteOfHtmlOnlyInsertsTheHtml();
    void dragOverShowsTheDropPositionAndTheEffect();
    void droppedTextGoesInAtTheDropPosition();
    void droppedFilesGoToTheOwner();
    void filesAreRefusedWithoutTheOption();
};

void LexipadDataTest::copyPutsPlainTextRichTextAndHtml() {
    TLexipad pad;
    SetCaretText(pad, "x^ab\ncd|y");
    QTest::keyClick(&pad, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data->hasText());
    QCOMPARE(data->text(), QString("ab\r\ncd"));
    QVERIFY(data->hasFormat("text/rtf"));
    QVERIFY(data->data("text/rtf").startsWith("{\\rtf1 \\deff1"));
    QVERIFY(data->hasHtml());
    QVERIFY(data->html().startsWith("<HTML><HEAD>"));
    QVERIFY(data->html().contains("ab"));
    QCOMPARE(pad.Perform(LPM_CANPASTE), intptr_t(1));
}

void LexipadDataTest::copyWithoutRtfPutsOnlyText() {
    TLexipad pad;
    pad.SetClipCopyFormats(smTEXT);
    SetCaretText(pad, "^caf\xE9|");
    pad.Perform(WM_COPY);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(data->text(), QString::fromUtf8("caf\xC3\xA9"));
    QVERIFY(!data->hasFormat("text/rtf"));
    QVERIFY(!data->hasHtml());
}

void LexipadDataTest::cutIsOneUndoStepAndPasteTakesText() {
    TLexipad pad;
    SetCaretText(pad, "one ^two| three");
    QTest::keyClick(&pad, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(QString::fromStdString(CaretText(pad)), QString("one | three"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("two"));
    QTest::keyClick(&pad, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(&pad, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(QString::fromStdString(CaretText(pad)), QString("one  threetwo|"));
    pad.Undo();
    pad.Undo();
    QCOMPARE(QString::fromStdString(CaretText(pad)), QString("one ^two| three"));
    pad.SetReadOnly(true);
    QTest::keyClick(&pad, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(pad.Text(), std::string("one two three"));
}

void LexipadDataTest::pasteOfHtmlOnlyInsertsTheHtml() {
    TLexipad pad;
    auto* data = new QMimeData;
    data->setHtml(QString::fromUtf8("<b>bold</b>\n<i>caf\xC3\xA9</i>"));
    QGuiApplication::clipboard()->setMimeData(data);
    QCOMPARE(pad.Perform(LPM_CANPASTE), intptr_t(0));
    std::vector<TSourceTypes> seen;
    pad.OnDataDrop = [&](TCustomLexipad&, TSourceTypes& types) { seen.push_back(types); };
    SetCaretText(pad, "[|]");
    pad.Perform(WM_PASTE);
    QCOMPARE(QString::fromStdString(CaretText(pad)),
             QString::fromUtf8("[<b>bold</b>\n<i>caf\xE9</i>|]"));
    QCOMPARE(seen, std::vector<TSourceTypes>{stHtml | stClipboard});
}

void LexipadDataTest::dragOverShowsTheDropPositionAndTheEffect() {
    TLexipad pad;
    pad.resize(400, 200);
    pad.SetText("abcdef\rghij");
    QMimeData data;
    data.setText("xyz");
    QPoint at = PointOf(pad, 9);
    Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pad.viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QCOMPARE(enter.dropAction(), Qt::MoveAction);
    QCOMPARE(pad.DropPosition(), 9);
    std::vector<QPoint> points;
    pad.OnOLEDragOver = [&](TLexipad&, const QMimeData* offered, QPoint point,
                            Qt::DropAction& effect) {
        QCOMPARE(offered, &data);
        points.push_back(point);
        effect = Qt::CopyAction;
    };
    QDragMoveEvent move(PointOf(pad, 2), actions, &data, Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(pad.viewport(), &move);
    QCOMPARE(move.dropAction(), Qt::CopyAction);
    QCOMPARE(pad.DropPosition(), 2);
    QCOMPARE(points, std::vector<QPoint>{PointOf(pad, 2)});
    QDragLeaveEvent leave;
    QApplication::sendEvent(pad.viewport(), &leave);
    QCOMPARE(pad.DropPosition(), -1);

    QMimeData nothing;
    nothing.setData("application/octet-stream", "bytes");
    QDragEnterEvent refused(at, actions, &nothing, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pad.viewport(), &refused);
    QVERIFY(!refused.isAccepted());
}

void LexipadDataTest::droppedTextGoesInAtTheDropPosition() {
    TLexipad pad;
    pad.resize(400, 200);
    pad.SetText("hello world");
    QMimeData data;
    data.setText("big\n");
    DropOutcome outcome = DragAndDrop(pad, data, PointOf(pad, 6));
    QVERIFY(outcome.accepted);
    QCOMPARE(QString::fromStdString(CaretText(pad)), QString("hello ^big\n|world"));
    pad.Undo();
    QCOMPARE(pad.Text(), std::string("hello world"));

    QMimeData html;
    html.setHtml("<p>para</p>");
    pad.OnDataDrop = [](TCustomLexipad&, TSourceTypes& types) {
        QCOMPARE(types, TSourceTypes(stHtml | stInsertAsText | stDrop));
    };
    DragAndDrop(pad, html, PointOf(pad, 0));
    QCOMPARE(pad.Text(), std::string("<p>para</p>hello world"));

    pad.OnDataDrop = nullptr;
    pad.SetReadOnly(true);
    outcome = DragAndDrop(pad, data, PointOf(pad, 0));
    QVERIFY(!outcome.accepted);
    QCOMPARE(pad.Text(), std::string("<p>para</p>hello world"));
}

void LexipadDataTest::droppedFilesGoToTheOwner() {
    TLexipad pad;
    pad.resize(400, 200);
    pad.SetOptions(pad.Options() | smoProcessDroppedFiles);
    pad.SetText("text");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/one.bas"), QUrl::fromLocalFile("/tmp/two.inc")});
    data.setText("file:///tmp/one.bas\nfile:///tmp/two.inc"); // as file managers add
    std::vector<std::string> files;
    TPoint where;
    pad.OnFilesDropped = [&](TCustomLexipad&, std::vector<std::string>& list, TPoint at) {
        files = list;
        where = at;
    };
    pad.OnDataDrop = [](TCustomLexipad&, TSourceTypes& types) {
        types = static_cast<TSourceTypes>(types & ~stInsertAsText);
    };
    DropOutcome outcome = DragAndDrop(pad, data, QPoint(60, 5));
    QVERIFY(outcome.entered);
    QVERIFY(outcome.accepted);
    QCOMPARE(files, (std::vector<std::string>{"/tmp/one.bas", "/tmp/two.inc"}));
    QCOMPARE(where, (TPoint{60, 5}));
    QCOMPARE(pad.Text(), std::string("text"));
}

void LexipadDataTest::filesAreRefusedWithoutTheOption() {
    TLexipad pad;
    pad.SetOptions(pad.Options() & ~smoProcessDroppedFiles);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/one.bas")});
    data.setText("file:///tmp/one.bas");
    bool called = false;
    pad.OnFilesDropped = [&](TCustomLexipad&, std::vector<std::string>&, TPoint) { called = true; };
    DropOutcome outcome = DragAndDrop(pad, data, QPoint(60, 5));
    QVERIFY(!outcome.entered);
    QVERIFY(!called);
    QCOMPARE(pad.Text(), std::string());
}

QTEST_MAIN(LexipadDataTest)
#include "LexipadDataTest.moc"

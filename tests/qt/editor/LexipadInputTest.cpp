// Keys, typed text, the mouse, the wheel, cursors and the template list of
// the editing control, each ending in the engine's result.
#include "core/editor/LexipadMessages.h"
#include "core/lexicon/ShortCuts.h"
#include "qt/editor/TLexipad.h"
#include "support/CaretText.h"

#include <QtTest>

using namespace quarno;
using quarno::test::CaretText;
using quarno::test::SetCaretText;

namespace {

// The middle of the cell of a position.
QPoint CellOf(TLexipad& pad, int position) {
    TPoint at = pad.PosFromChar(position);
    return {at.x + pad.CharWidth() / 2, at.y + pad.LineHeight() / 2};
}

void Wheel(TLexipad& pad, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QPointF at(50, 20);
    QWheelEvent event(at, pad.viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pad.viewport(), &event);
}

} // namespace

class LexipadInputTest : public QObject {
    Q_OBJECT
private slots:
    void keysRunTheirActionsAndTextIsTyped_data();
    void keysRunTheirActionsAndTextIsTyped();
    void twoKeySequenceAndTheKeyEvents();
    void typedCharactersAreWindows1252();
    void clicksPlaceSelectAndReportTheGutter();
    void dragSelectsAndMarginLineDragSetsTheColumn();
    void wheelScrollsByTheDesktopStep();
    void cursorShowsWhatAPressWouldDo();
    void templateListOffersAndExpandsTemplates();
};

void LexipadInputTest::keysRunTheirActionsAndTextIsTyped_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("letter") << "ab|" << int(Qt::Key_C) << 0 << "c"
                            << "abc|";
    QTest::newRow("shift letter") << "ab|" << int(Qt::Key_C) << int(Qt::ShiftModifier) << "C"
                                  << "abC|";
    QTest::newRow("left") << "ab|c" << int(Qt::Key_Left) << 0 << ""
                          << "a|bc";
    QTest::newRow("shift+right extends")
        << "a|bc" << int(Qt::Key_Right) << int(Qt::ShiftModifier) << ""
        << "a^b|c";
    QTest::newRow("ctrl+right word")
        << "|one two" << int(Qt::Key_Right) << int(Qt::ControlModifier) << ""
        << "one |two";
    QTest::newRow("end skips trailing blanks") << "|abc  \nx" << int(Qt::Key_End) << 0 << ""
                                               << "abc|  \nx";
    QTest::newRow("enter") << "ab|cd" << int(Qt::Key_Return) << 0 << "\r"
                           << "ab\n|cd";
    QTest::newRow("ctrl+enter is not a break")
        << "ab|" << int(Qt::Key_Return) << int(Qt::ControlModifier) << ""
        << "ab|";
    QTest::newRow("tab to the next stop") << "ab|" << int(Qt::Key_Tab) << 0 << "\t"
                                          << "ab  |";
    QTest::newRow("backspace") << "ab|c" << int(Qt::Key_Backspace) << 0 << ""
                               << "a|c";
    QTest::newRow("delete selection") << "a^bc|d" << int(Qt::Key_Delete) << 0 << ""
                                      << "a|d";
    QTest::newRow("ctrl+letter is no text")
        << "ab|" << int(Qt::Key_B) << int(Qt::ControlModifier) << "\x02"
        << "ab|";
    QTest::newRow("alt+letter is no text") << "ab|" << int(Qt::Key_B) << int(Qt::AltModifier) << "b"
                                           << "ab|";
    QTest::newRow("ctrl+y deletes the line")
        << "one\ntw|o\nthree" << int(Qt::Key_Y) << int(Qt::ControlModifier) << ""
        << "one\n|three";
}

void LexipadInputTest::keysRunTheirActionsAndTextIsTyped() {
    QFETCH(QString, start);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    TLexipad pad;
    pad.SetOptions(pad.Options() & ~(smoUseTAB | smoTabToColumn));
    SetCaretText(pad, start.toStdString());
    QKeyEvent press(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QApplication::sendEvent(&pad, &press);
    QCOMPARE(QString::fromStdString(CaretText(pad)), expected);
}

void LexipadInputTest::twoKeySequenceAndTheKeyEvents() {
    TLexipad pad;
    SetCaretText(pad, "^one\ntwo|");
    QTest::keyClick(&pad, Qt::Key_K, Qt::ControlModifier);
    QTest::keyClick(&pad, Qt::Key_I, Qt::ShiftModifier); // the second key's modifiers do not count
    QCOMPARE(pad.Text(), std::string(" one\r two"));     // IndentStep 1, in spaces
    QTest::keyClick(&pad, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(pad.Text(), std::string("one\rtwo"));

    std::vector<int> actions;
    pad.OnCommandRecognised = [&](TCustomLexipad&, int& code) { actions.push_back(code); };
    std::vector<uint16_t> keys;
    pad.OnKeyDown = [&](TLexipad&, uint16_t& key, uint8_t shift) {
        keys.push_back(key);
        if (key == vk::Home && (shift & kCtrlKey)) key = 0; // swallowed
    };
    pad.OnKeyPress = [](TLexipad&, char& c) {
        if (c == 'q') c = 0;
    };
    pad.SetSelection(3, 3);
    QTest::keyClick(&pad, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(&pad, Qt::Key_Q);
    QTest::keyClick(&pad, Qt::Key_Exclam, Qt::ShiftModifier);
    QTest::keyClick(&pad, Qt::Key_Left);
    QCOMPARE(QString::fromStdString(CaretText(pad)), QString("one|!\ntwo"));
    // The modifier keys are key presses too (Ctrl 17, Shift 16).
    QCOMPARE(keys, (std::vector<uint16_t>{17, vk::Home, 'Q', 16, '1', vk::Left}));
    QCOMPARE(actions, std::vector<int>{caLEFT});
}

void LexipadInputTest::typedCharactersAreWindows1252() {
    TLexipad pad;
    for (QString typed : {QString::fromUtf8("\xC3\xA9"), QString::fromUtf8("\xE2\x82\xAC"),
                          QString::fromUtf8("\xE2\x9C\x93")}) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, typed);
        QApplication::sendEvent(&pad, &press);
    }
    QCOMPARE(pad.Text(), std::string("\xE9\x80?"));
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf8("\xC3\xBC"));
    QApplication::sendEvent(&pad, &composed);
    QCOMPARE(pad.Text(), std::string("\xE9\x80?\xFC"));
}

void LexipadInputTest::clicksPlaceSelectAndReportTheGutter() {
    TLexipad pad;
    pad.resize(400, 200);
    pad.SetText("first word\rsecond line");
    // One pixel into the third column of the second row: line 1, column 2.
    QPoint third(pad.TextLeft() + 2 * pad.CharWidth() + 1, pad.LineHeight() + pad.LineHeight() / 2);
    QTest::mouseClick(pad.viewport(), Qt::LeftButton, {}, third);
    QCOMPARE(pad.LineFromChar(-1), 1);
    QCOMPARE(pad.CaretPos() - pad.LineIndex(1), 2);
    QCOMPARE(pad.CaretPos(), 13);
    QTest::mouseClick(pad.viewport(), Qt::LeftButton, {}, CellOf(pad, 7));
    QTest::mouseDClick(pad.viewport(), Qt::LeftButton, {}, CellOf(pad, 7));
    QCOMPARE(pad.SelectedText(), std::string("word"));
    QPoint before14 = CellOf(pad, 14) - QPoint(pad.CharWidth() / 2 - 1, 0);
    QTest::mouseClick(pad.viewport(), Qt::LeftButton, Qt::ShiftModifier, before14);
    QCOMPARE(pad.SelStart(), 6);
    QCOMPARE(pad.SelLength(), 8);

    std::vector<int> lines;
    pad.OnGutterClick = [&](TCustomLexipad&, int line) { lines.push_back(line); };
    int clicks = 0;
    pad.OnClick = [&](TLexipad&) { ++clicks; };
    QTest::mouseClick(pad.viewport(), Qt::LeftButton, {}, QPoint(5, pad.LineHeight() + 3));
    QCOMPARE(lines, std::vector<int>{2});
    QCOMPARE(clicks, 1);
    QTest::mouseClick(pad.viewport(), Qt::LeftButton, {}, QPoint(pad.Gutter() + 1, 3));
    QCOMPARE(pad.SelectedText(), std::string("first word\r"));
}

void LexipadInputTest::dragSelectsAndMarginLineDragSetsTheColumn() {
    TLexipad pad;
    pad.resize(600, 200);
    pad.SetText("abcdefgh\rijkl");
    QTest::mousePress(pad.viewport(), Qt::LeftButton, {}, CellOf(pad, 1) - QPoint(3, 0));
    QTest::mouseMove(pad.viewport(), CellOf(pad, 12) - QPoint(3, 0));
    QTest::mouseRelease(pad.viewport(), Qt::LeftButton, {}, CellOf(pad, 12) - QPoint(3, 0));
    QCOMPARE(pad.SelectedText(), std::string("bcdefgh\rijk"));

    pad.SetOptions(pad.Options() | smoShowRMargin);
    pad.SetRightMargin(20);
    int x = pad.TextLeft() + 20 * pad.CharWidth();
    QTest::mousePress(pad.viewport(), Qt::LeftButton, {}, QPoint(x, 5));
    QCOMPARE(pad.MarginDrag(), 1);
    QTest::mouseMove(pad.viewport(), QPoint(x + 5 * pad.CharWidth(), 5));
    QTest::mouseRelease(pad.viewport(), Qt::LeftButton, {}, QPoint(x + 5 * pad.CharWidth(), 5));
    QCOMPARE(pad.RightMargin(), 25);
}

void LexipadInputTest::wheelScrollsByTheDesktopStep() {
    TLexipad pad;
    pad.resize(400, 200);
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "line\r";
    pad.SetText(text);
    int step = QApplication::wheelScrollLines();
    Wheel(pad, -120);
    QCOMPARE(pad.TopLine(), step);
    Wheel(pad, -60);
    QCOMPARE(pad.TopLine(), step); // half a notch waits for the other half
    Wheel(pad, -60);
    QCOMPARE(pad.TopLine(), 2 * step);
    Wheel(pad, 240);
    QCOMPARE(pad.TopLine(), 0);
    bool seen = false;
    pad.OnMouseWheelDown = [&](TLexipad&, uint8_t, QPoint, bool& handled) {
        seen = handled = true;
    };
    Wheel(pad, -120);
    QVERIFY(seen);
    QCOMPARE(pad.TopLine(), 0);
}

void LexipadInputTest::cursorShowsWhatAPressWouldDo() {
    TLexipad pad;
    pad.resize(600, 200);
    pad.SetHyperCursor(Qt::PointingHandCursor);
    pad.SetText("visit here\rplain");
    TLP_Style hot;
    hot.hotSpot = 1;
    hot.defined = 1;
    pad.Settings().SetStyle(5, hot);
    pad.Settings().SetTokenStyle(9, 5);
    std::vector<uint8_t> tokens{9, 9, 9, 9, 9, 0, 0, 0, 0, 0, 0};
    int lines[2] = {0, 0};
    pad.Perform(LPM_SETSTYLES, reinterpret_cast<uintptr_t>(lines), tokens.data());
    pad.SetSelection(6, 10);
    pad.SetOptions(pad.Options() | smoShowRMargin);
    pad.SetRightMargin(30);
    int hovers = 0;
    pad.OnHyperlinkHover = [&](TCustomLexipad&) { ++hovers; };
    struct Case {
        QPoint point;
        Qt::CursorShape shape;
    } cases[] = {
        {CellOf(pad, 2), Qt::PointingHandCursor},
        {CellOf(pad, 7), Qt::ArrowCursor},
        {CellOf(pad, 13), Qt::IBeamCursor},
        {QPoint(pad.TextLeft() + 30 * pad.CharWidth(), 30), Qt::SplitHCursor},
        {QPoint(5, 5), Qt::ArrowCursor},
    };
    for (const Case& c : cases) {
        QMouseEvent move(QEvent::MouseMove, c.point, pad.viewport()->mapToGlobal(c.point),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(pad.viewport(), &move);
        QCOMPARE(pad.viewport()->cursor().shape(), c.shape);
    }
    QCOMPARE(hovers, 1);
}

void LexipadInputTest::templateListOffersAndExpandsTemplates() {
    TLexipad pad;
    pad.resize(600, 300);
    pad.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pad));
    TCodeTemplates& templates = pad.Settings().Templates();
    templates.Add("forloop", "For loop", false, "FOR I = 1 TO 10\rNEXT I");
    templates.Add("ifblock", "If block", false, "IF X THEN\rENDIF");
    SetCaretText(pad, "x = 1\rbl|");
    QTest::keyClick(&pad, Qt::Key_J, Qt::ControlModifier);
    TTemplatePopup* list = pad.TemplateList();
    QVERIFY(list);
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->currentRow(), 1); // "ifblock" holds "bl"
    QCOMPARE(list->font().family(), QString("Arial"));
    QVERIFY(list->width() > list->NameWidth() + 48);
    QVERIFY(list->geometry().top() >=
            pad.viewport()->mapToGlobal(QPoint(0, 2 * pad.LineHeight())).y());
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(!pad.TemplateList());
    QCOMPARE(QString::fromStdString(CaretText(pad)), QString("x = 1\nIF X THEN\nENDIF|"));

    QTest::keyClick(&pad, Qt::Key_Space);
    QTest::keyClick(&pad, Qt::Key_J, Qt::ControlModifier);
    QVERIFY(pad.TemplateList());
    QTest::keyClick(pad.TemplateList(), Qt::Key_Escape);
    QVERIFY(!pad.TemplateList());
    QCOMPARE(QString::fromStdString(CaretText(pad)), QString("x = 1\nIF X THEN\nENDIF |"));
}

QTEST_MAIN(LexipadInputTest)
#include "LexipadInputTest.moc"

// The main window's Search menu: its entries, the find and replace dialogs
// with their histories, Search Again, the marks of Show all on screen, go to
// line, and pattern errors in a fixed-pitch box.
#include "core/app/TEdPersistent.h"
#include "core/app/TSearchCommands.h"
#include "core/services/TStoreSearch.h"
#include "qt/app/TOpenFilesTab.h"
#include "qt/dialogs/TEdFindDlg.h"
#include "qt/dialogs/TEdReplDlg.h"
#include "qt/dialogs/TGotoLineDialog.h"
#include "support/CaretText.h"
#include "support/MainWindowRig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace quarno;
using quarno::test::CaretText;
using quarno::test::IdeFolder;
using quarno::test::SetCaretText;

namespace {

// The window with its three search dialogs, made after it as the
// application makes them, and a shown document holding text.
struct SearchWindow : quarno::test::MainWindowRig {
    explicit SearchWindow(const IdeFolder& folder) : MainWindowRig(folder) {
        main.SetSearchDialogs(find, replace, gotoLine);
        main.show();
    }
    bool Ready() const { return main.OpenFilesTab()->count() == 1; }
    TLexipad& Pad() const { return *main.Lexipad1(); }
    QFile History(const IdeFolder& folder) const { return QFile(folder.File("QUARNO.DAT")); }

    TEdFindDlg find;
    TEdReplDlg replace;
    TGotoLineDialog gotoLine;
};

void Type(TEdSearchDlg& dialog, const QString& text) {
    dialog.FindHistoryBox()->setEditText(text);
}

void Click(QWidget& dialog, const char* button) {
    auto* pushButton = dialog.findChild<QPushButton*>(button);
    QVERIFY(pushButton);
    QVERIFY(pushButton->isEnabled());
    QTest::mouseClick(pushButton, Qt::LeftButton);
}

void Check(QWidget& dialog, const char* box, bool checked = true) {
    auto* button = dialog.findChild<QAbstractButton*>(box);
    QVERIFY(button);
    button->setChecked(checked);
}

QStringList Items(const QComboBox& box) {
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items << box.itemText(i);
    return items;
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class MainWindowSearchTest : public QObject {
    Q_OBJECT
private slots:
    void searchMenuFollowsEditOrFile();
    void findDialogSearchesAndKeepsItsHistory();
    void replaceDialogAsksAndReplacesAll();
    void invalidPatternIsShownInAFixedPitchBox();
    void showAllInvertsEveryMatchUntilTyping();
    void gotoLineWarnsOutsideTheRangeAndCentresTheLine();
};

void MainWindowSearchTest::searchMenuFollowsEditOrFile() {
    IdeFolder folder;
    SearchWindow window(folder);
    QTRY_VERIFY(window.Ready());
    QMenu* menu = window.main.findChild<QMenu*>("Search1");
    QVERIFY(menu);
    QCOMPARE(menu->title(), QString("&Search"));
    QCOMPARE(menu->menuAction()->statusTip(), QString("Search & replace functions"));
    QList<QAction*> bar = window.main.menuBar()->actions();
    qsizetype at = bar.indexOf(menu->menuAction());
    QVERIFY(at > 0);
    QString before = bar[at - 1]->text().remove('&');
    QVERIFY2(before == "Edit" || (before == "File" && !window.main.findChild<QMenu*>("Edit1")),
             qPrintable(before));
    struct Entry {
        const char* name;
        const char* text;
        QKeySequence keys;
        const char* hint;
    };
    const Entry entries[] = {
        {"Find1", "&Find...", QKeySequence(Qt::CTRL | Qt::Key_F), "Find text"},
        {"Replace1", "&Replace...", QKeySequence(Qt::CTRL | Qt::Key_R), "Replace text"},
        {"Searchagain1", "&Search Again", QKeySequence(Qt::Key_F3), "Repeat last find operation"},
        {"Showall1", "Show &all", QKeySequence(), ""},
        {"Gotolinenumber1", "&Goto line number", QKeySequence(Qt::ALT | Qt::Key_G),
         "Goto a line number in the current file"},
    };
    QCOMPARE(menu->actions().size(), qsizetype(5));
    for (int i = 0; i < 5; ++i) {
        QAction* action = menu->actions()[i];
        QCOMPARE(action->objectName(), QString(entries[i].name));
        QCOMPARE(action->text(), QString(entries[i].text));
        QCOMPARE(action->shortcut(), entries[i].keys);
        QCOMPARE(action->statusTip(), QString(entries[i].hint));
    }
    QAction* again = menu->actions()[2];
    QVERIFY(!again->isEnabled());
    window.Pad().SetText("abc abc");
    window.main.SearchCommands().Find("abc", 0);
    QVERIFY(again->isEnabled());
    again->trigger();
    QCOMPARE(CaretText(window.Pad()), std::string("abc ^abc|"));

    window.Trigger("Find1");
    QVERIFY(window.find.isVisible());
    window.Trigger("Close1");
    QVERIFY2(!window.find.isVisible(), "nothing is left to search");
    QVERIFY(!menu->menuAction()->isVisible());
    QVERIFY(!again->isEnabled());
    window.Trigger("New1");
    QVERIFY(menu->menuAction()->isVisible());
    QVERIFY(again->isEnabled());
}

void MainWindowSearchTest::findDialogSearchesAndKeepsItsHistory() {
    IdeFolder folder;
    QVERIFY(folder.Write("QUARNO.DAT", "[FindHistory]\r\nold\r\nloop\r\n\r\n"));
    SearchWindow window(folder);
    QTRY_VERIFY(window.Ready());
    TLexipad& pad = window.Pad();
    SetCaretText(pad, "^loop| Loop loop");
    QVERIFY(pad.HideSelection());
    window.Trigger("Find1");
    TEdFindDlg& dialog = window.find;
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.windowTitle(), QString("Find text..."));
    QCOMPARE(dialog.FindHistoryBox()->currentText(), QString("loop"));
    QCOMPARE(Items(*dialog.FindHistoryBox()), (QStringList{"old", "loop"}));
    QVERIFY2(!pad.HideSelection(), "the selection stays visible");
    QVERIFY(dialog.findChild<QRadioButton*>("FwdDirection")->isChecked());

    Click(dialog, "OKButton");
    QCOMPARE(CaretText(pad), std::string("loop ^Loop| loop"));
    Check(dialog, "UseCaseBox");
    Click(dialog, "OKButton");
    QCOMPARE(CaretText(pad), std::string("loop Loop ^loop|"));
    Click(dialog, "OKButton");
    QCOMPARE(window.PromptTexts(), std::vector<std::string>{"\"loop\" not found"});
    QVERIFY2(dialog.isVisible(), "the dialog stays open");

    Type(dialog, "");
    QVERIFY(!dialog.OkButton()->isEnabled());
    Type(dialog, "op L");
    QTest::keyClick(dialog.FindHistoryBox(), Qt::Key_Return);
    QCOMPARE(CaretText(pad), std::string("loop Loop ^loop|")); // case sensitive: not found
    Check(dialog, "UseCaseBox", false);
    Check(dialog, "BackDirection");
    QTest::keyClick(dialog.FindHistoryBox(), Qt::Key_Return);
    QCOMPARE(CaretText(pad), std::string("lo^op L|oop loop"));
    QCOMPARE(Items(*dialog.FindHistoryBox()), (QStringList{"op L", "loop", "old"}));
    QCOMPARE(window.main.Persistent()->SearchOptions(), foBackward | foSearchNow);
    Type(dialog, "typed, never searched");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QVERIFY(pad.HideSelection());
    QCOMPARE(ReadFile(folder.File("QUARNO.DAT")),
             QByteArray("[FindHistory]\r\nop L\r\nloop\r\nold\r\n\r\n"));

    // Opening again: the last search text, the stored options.
    pad.SetSelection(0, 0);
    window.Trigger("Find1");
    QCOMPARE(dialog.FindHistoryBox()->currentText(), QString("op L"));
    QVERIFY(dialog.findChild<QRadioButton*>("BackDirection")->isChecked());
    window.Trigger("Replace1");
    QVERIFY2(!dialog.isVisible(), "one search dialog at a time");
    QVERIFY(window.replace.isVisible());
    window.replace.reject();
    QVERIFY(pad.HideSelection());
}

void MainWindowSearchTest::replaceDialogAsksAndReplacesAll() {
    IdeFolder folder;
    SearchWindow window(folder);
    QTRY_VERIFY(window.Ready());
    TLexipad& pad = window.Pad();
    SetCaretText(pad, "|dim a\rdim b\rdim c\rdim d");
    window.Trigger("Replace1");
    TEdReplDlg& dialog = window.replace;
    QCOMPARE(dialog.windowTitle(), QString("Find and replace text..."));
    QVERIFY(!dialog.OkButton()->isEnabled());
    QVERIFY(!dialog.findChild<QPushButton*>("ReplaceAllButton")->isEnabled());
    Type(dialog, "dim");
    dialog.ReplHistoryBox()->setEditText("DIM");
    Check(dialog, "PromptOnReplBox");
    window.prompts.QueueAnswer(TPromptButton::No);
    Click(dialog, "OKButton");
    QCOMPARE(CaretText(pad), std::string("^dim| a\ndim b\ndim c\ndim d"));
    window.prompts.QueueAnswer(TPromptButton::Yes);
    Click(dialog, "OKButton");
    QCOMPARE(CaretText(pad), std::string("dim a\nDIM| b\ndim c\ndim d"));

    // Replace All from the start: Yes, No, then Cancel at the third question.
    for (TPromptButton answer : {TPromptButton::Yes, TPromptButton::No, TPromptButton::Cancel})
        window.prompts.QueueAnswer(answer);
    Click(dialog, "ReplaceAllButton");
    QCOMPARE(window.Text(), QString("DIM a\rDIM b\rdim c\rdim d"));
    QCOMPARE(window.prompts.Boxes().size(), size_t(5));
    QCOMPARE(window.prompts.Boxes().back().text,
             std::string("Replace this instance of \"dim\" with \"DIM\" ?"));
    QVERIFY(dialog.PromptOnReplBox()->isEnabled());
    pad.Undo();
    QCOMPARE(window.Text(), QString("dim a\rDIM b\rdim c\rdim d"));
    QCOMPARE(window.main.Persistent()->LastSearchText(), std::string("dim"));

    Check(dialog, "PromptOnReplBox", false);
    Click(dialog, "ReplaceAllButton");
    QCOMPARE(window.Text(), QString("DIM a\rDIM b\rDIM c\rDIM d"));
    dialog.reject();
    QCOMPARE(ReadFile(folder.File("QUARNO.DAT")),
             QByteArray("[FindHistory]\r\ndim\r\n\r\n[ReplaceHistory]\r\nDIM\r\n\r\n"));
}

void MainWindowSearchTest::invalidPatternIsShownInAFixedPitchBox() {
    IdeFolder folder;
    SearchWindow window(folder);
    QTRY_VERIFY(window.Ready());
    SetCaretText(window.Pad(), "|x[ab");
    window.Trigger("Find1");
    Type(window.find, "x[ab");
    Check(window.find, "RegExBox");
    Click(window.find, "OKButton");
    QCOMPARE(window.prompts.Boxes().size(), size_t(1));
    const auto& box = window.prompts.Boxes()[0];
    QCOMPARE(box.kind, TPromptKind::Error);
    QVERIFY(box.fixedPitch);
    QCOMPARE(box.text, std::string("Unmatched bracket\nx[ab\n ^"));
    QCOMPARE(CaretText(window.Pad()), std::string("|x[ab"));
}

void MainWindowSearchTest::showAllInvertsEveryMatchUntilTyping() {
    IdeFolder folder;
    SearchWindow window(folder);
    QTRY_VERIFY(window.Ready());
    TLexipad& pad = window.Pad();
    pad.resize(500, 200);
    pad.SetText("beta alpha beta");
    QImage plain = pad.RenderView();
    window.Trigger("Showall1");
    QVERIFY2(window.find.isVisible(), "without a last search Show all opens Find");
    window.find.reject();

    window.main.SearchCommands().Find("beta", 0);
    pad.SetSelection(0, 0);
    window.Trigger("Showall1");
    QImage marked = pad.RenderView();
    int x0 = pad.TextLeft();
    int width = 4 * pad.CharWidth();
    auto inverted = [&](int column) {
        QPoint at(x0 + column * pad.CharWidth() + 1, 2);
        QRgb before = plain.pixel(at);
        QRgb after = marked.pixel(at);
        return qRed(after) == 255 - qRed(before) && qGreen(after) == 255 - qGreen(before) &&
               qBlue(after) == 255 - qBlue(before);
    };
    QVERIFY(inverted(0));
    QVERIFY(inverted(11));
    QVERIFY(!inverted(6));
    QVERIFY(width > 0);

    QTest::keyClicks(&pad, "x");
    QCOMPARE(pad.Store().RangeMarks().Count(), 0);
    QVERIFY(pad.RenderView() != marked);
}

void MainWindowSearchTest::gotoLineWarnsOutsideTheRangeAndCentresTheLine() {
    IdeFolder folder;
    SearchWindow window(folder);
    QTRY_VERIFY(window.Ready());
    TLexipad& pad = window.Pad();
    QString text;
    for (int line = 1; line <= 200; ++line)
        text += QString("line %1\r").arg(line);
    pad.SetText(text.toStdString());
    pad.SetSelection(pad.LineIndex(4), pad.LineIndex(4));
    window.Trigger("Gotolinenumber1");
    TGotoLineDialog& dialog = window.gotoLine;
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.LineNumberBox()->text(), QString("5"));
    QCOMPARE(dialog.LineNumberBox()->selectedText(), QString("5"));
    int highest = dialog.Range().highest;
    for (const char* wrong : {"0", "abc"}) {
        dialog.LineNumberBox()->setText(wrong);
        Click(dialog, "OKButton");
        QVERIFY(dialog.isVisible());
        QCOMPARE(window.prompts.Boxes().back().kind, TPromptKind::Warning);
        QCOMPARE(window.prompts.Boxes().back().text,
                 QString("Value must be between 1 and %1").arg(highest).toStdString());
        QCOMPARE(dialog.LineNumberBox()->selectedText(), QString(wrong));
    }
    dialog.LineNumberBox()->setText("100");
    Click(dialog, "OKButton");
    QVERIFY(!dialog.isVisible());
    QCOMPARE(pad.SelStart(), pad.LineIndex(99));
    QCOMPARE(pad.TopLine(), std::max(0, 99 - pad.VisibleRows() / 2));
}

QTEST_MAIN(MainWindowSearchTest)
#include "MainWindowSearchTest.moc"

// The main window's menus, tool bar and editing commands: the menu bar in its
// order, the Edit items following the selection, clipboard and undo state,
// case conversion, Select All and Delete, bookmarks through the editor's
// pop-up, hints in the message panel, the tool bar with and without
// documents, and the font dialogs.
#include "core/app/TDocumentTabs.h"
#include "qt/editor/TLexipad.h"
#include "support/MainWindowRig.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

using namespace quarno;
using quarno::test::IdeFolder;
using Window = quarno::test::MainWindowRig;

class MainWindowEditTest : public QObject {
    Q_OBJECT
private slots:
    void menuBarHasItsMenusInOrder();
    void fileAndPopupItemsCarryTheirKeys();
    void editItemsFollowSelectionClipboardAndUndo();
    void caseConversionOfASelectionSpanningLines();
    void selectAllThenDeleteEmptiesTheDocument();
    void bookmarkSetThroughThePopupIsReachedAgain();
    void menuHintReachesTheMessagePanelForTwoSeconds();
    void toolBarShowsDocumentButtonsOnlyWithDocuments();
    void fontDialogsSetTheEditorAndGutterFonts();
    void undoKeyRunsTheWindowsUndo();
};

namespace {

// A shown window with one document holding text, the caret at its start.
struct ShownWindow {
    explicit ShownWindow(const IdeFolder& folder, const std::string& text = "High PORTB.0\r\n")
        : window(folder) {
        window.main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window.main));
        folder.Write("prog.bas", QByteArray::fromStdString(text));
        window.dialogs.QueueFile(folder.File("prog.bas").toStdString());
        window.main.OpenButtonClick();
        QCoreApplication::processEvents();
    }
    TLexipad& Pad() { return *window.main.Lexipad1(); }
    QAction* Action(const char* name) { return window.main.findChild<QAction*>(name); }
    bool Enabled(const char* name) {
        QAction* action = Action(name);
        return action && action->isEnabled();
    }
    Window window;
};

QStringList ItemNames(QMenu* menu) {
    QStringList names;
    for (QAction* action : menu->actions())
        names << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
    return names;
}

} // namespace

void MainWindowEditTest::menuBarHasItsMenusInOrder() {
    IdeFolder folder;
    Window window(folder);
    QStringList titles;
    for (QAction* action : window.main.menuBar()->actions())
        titles << action->text();
    QCOMPARE(titles, QStringList({"&File", "&Edit", "&Search", "&Options", "View", "&Help"}));
    QCOMPARE(ItemNames(window.main.findChild<QMenu*>("Edit1")),
             QStringList({"Undo1", "Redo1", "-", "Cut1", "Copy1", "Paste1", "Delete1", "SelectAll1",
                          "-", "Upper1", "Lower1", "Capitalise1"}));
    QCOMPARE(ItemNames(window.main.findChild<QMenu*>("View1")),
             QStringList({"ShowReport", "ShowAsm", "ShowHEX", "ShowData", "-", "SerialTerminal1",
                          "-", "Calculator1", "ASCIITable1", "-", "NextError1", "PreviousError1"}));
    QCOMPARE(ItemNames(window.main.findChild<QMenu*>("TabPopup")),
             QStringList({"Closepage2", "ReOpenFile"}));
    QStringList popup = ItemNames(window.main.findChild<QMenu*>("PopupMenu1"));
    QCOMPARE(popup.mid(0, 7),
             QStringList({"Closepage1", "-", "Cut2", "Copy2", "Paste2", "Delete2", "Selectall2"}));
}

void MainWindowEditTest::fileAndPopupItemsCarryTheirKeys() {
    IdeFolder folder;
    Window window(folder);
    auto key = [&](const char* name) {
        return window.main.findChild<QAction*>(name)->shortcut().toString();
    };
    QCOMPARE(key("SaveAs1"), QStringLiteral("Ctrl+Alt+S"));
    QCOMPARE(key("Close1"), QString()); // Close page carries Ctrl+F4
    QCOMPARE(key("Closepage1"), QStringLiteral("Ctrl+F4"));
    QCOMPARE(key("Closepage2"), QStringLiteral("Ctrl+F4"));
    QCOMPARE(key("Upper1"), QStringLiteral("Ctrl+F5"));
    QCOMPARE(key("Lower1"), QStringLiteral("Shift+F5"));
    QCOMPARE(key("Capitalise1"), QStringLiteral("F5"));
    QCOMPARE(key("SelectAll1"), QStringLiteral("Ctrl+A"));
    QCOMPARE(window.main.findChild<QAction*>("CloseAll1")->text(), QStringLiteral("Close Al&l"));
    QCOMPARE(window.main.findChild<QMenu*>("Reopen1")->title(), QStringLiteral("Re-open..."));
    QVERIFY(!window.main.findChild<QAction*>("PrintPreview1")->isEnabled());
    QCOMPARE(window.main.findChild<QAction*>("Open1")->statusTip(),
             QStringLiteral("Open an existing file"));
}

void MainWindowEditTest::editItemsFollowSelectionClipboardAndUndo() {
    IdeFolder folder;
    ShownWindow shown(folder, "alpha beta\r\n");
    QApplication::clipboard()->clear();
    QCoreApplication::processEvents();
    for (const char* name : {"Cut1", "Copy1", "Delete1", "Undo1", "Cut2", "Delete2", "Paste1"})
        QVERIFY2(!shown.Enabled(name), name);
    shown.Pad().SetSelection(0, 5);
    for (const char* name : {"Cut1", "Copy1", "Delete1", "Cut2", "CutButton", "IndentButton"})
        QVERIFY2(shown.Enabled(name), name);
    QApplication::clipboard()->setText(QStringLiteral("gamma"));
    QCoreApplication::processEvents();
    QVERIFY(shown.Enabled("Paste1"));
    QVERIFY(shown.Enabled("PasteButton"));
    shown.window.Trigger("Paste1");
    QCOMPARE(shown.window.Text(), QStringLiteral("gamma beta\r"));
    QVERIFY(shown.Enabled("Undo1"));
    QVERIFY(!shown.Enabled("Cut1")); // the paste left the selection empty
    shown.window.Trigger("Undo1");
    QCOMPARE(shown.window.Text(), QStringLiteral("alpha beta\r"));
    QVERIFY(shown.Enabled("Redo1"));
    shown.window.Trigger("RedoButton");
    QCOMPARE(shown.window.Text(), QStringLiteral("gamma beta\r"));
}

void MainWindowEditTest::caseConversionOfASelectionSpanningLines() {
    IdeFolder folder;
    ShownWindow shown(folder, "high portb.0\r\nlow portb.1\r\n");
    shown.Pad().SetSelection(5, 16); // "portb.0\rlow"
    shown.window.Trigger("Upper1");
    QCOMPARE(shown.window.Text(), QStringLiteral("high PORTB.0\rLOW portb.1\r"));
    shown.Pad().SetSelection(0, 16);
    shown.window.Trigger("Capitalise1");
    QCOMPARE(shown.window.Text(), QStringLiteral("High portb.0\rlow portb.1\r"));
    shown.window.Trigger("Undo1");
    QCOMPARE(shown.window.Text(), QStringLiteral("high PORTB.0\rLOW portb.1\r"));
    shown.Pad().SetSelection(3, 3);
    shown.window.Trigger("Lower1"); // nothing selected: no change
    QCOMPARE(shown.window.Text(), QStringLiteral("high PORTB.0\rLOW portb.1\r"));
}

void MainWindowEditTest::selectAllThenDeleteEmptiesTheDocument() {
    IdeFolder folder;
    ShownWindow shown(folder, "one\r\ntwo\r\n");
    shown.Pad().SetSelection(1, 1);
    shown.window.Trigger("Delete1"); // nothing selected: the character stays
    QCOMPARE(shown.window.Text(), QStringLiteral("one\rtwo\r"));
    QTest::keyClick(&shown.Pad(), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(shown.Pad().SelLength(), shown.Pad().CharCount());
    shown.window.Trigger("Delete2");
    QCOMPARE(shown.window.Text(), QString());
    QCOMPARE(shown.window.main.PanelText(1), QStringLiteral("Modified"));
}

void MainWindowEditTest::bookmarkSetThroughThePopupIsReachedAgain() {
    IdeFolder folder;
    ShownWindow shown(folder, "one\r\ntwo\r\nthree\r\nfour\r\n");
    shown.Pad().SetSelection(9, 9); // line 3
    QCOMPARE(shown.Action("ToggleBookmark3")->text(), QStringLiteral("Bookmark &3"));
    shown.window.Trigger("ToggleBookmark3");
    int line = 0;
    int column = 0;
    QVERIFY(shown.Pad().GetBookmark(3, line, column));
    QCOMPARE(line, 3);
    shown.Pad().SetSelection(0, 0);
    shown.window.Trigger("GotoBookmark4"); // not set: nothing moves
    QCOMPARE(shown.Pad().CaretLine(), 1);
    shown.window.Trigger("GotoBookmark3");
    QCOMPARE(shown.Pad().CaretLine(), 3);
}

// The hint's long part shows in panel 5 behind two blanks; the message
// timer (2 seconds) puts the editing mode back when it fires.
void MainWindowEditTest::menuHintReachesTheMessagePanelForTwoSeconds() {
    IdeFolder folder;
    ShownWindow shown(folder);
    QCOMPARE(shown.window.main.PanelText(5), QStringLiteral(" Insert"));
    QAction* open = shown.Action("Open1");
    open->showStatusText(shown.window.main.menuBar()); // the widget a menu reports to
    QCOMPARE(shown.window.main.PanelText(5), QStringLiteral("  Open an existing file"));
    auto* timer = shown.window.main.findChild<QTimer*>("FInfoTimer");
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 2000);
    QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
    QCOMPARE(shown.window.main.PanelText(5), QStringLiteral(" Insert"));
    // A tool button's hint is its tool tip as well.
    QAction* save = shown.Action("SaveButton");
    QCOMPARE(save->toolTip(), QStringLiteral("Save current file"));
    save->showStatusText(shown.window.main.findChild<QToolBar*>("Toolpanel"));
    QCOMPARE(shown.window.main.PanelText(5), QStringLiteral("  Save current file"));
}

void MainWindowEditTest::toolBarShowsDocumentButtonsOnlyWithDocuments() {
    IdeFolder folder;
    ShownWindow shown(folder);
    auto* bar = shown.window.main.findChild<QToolBar*>("Toolpanel");
    QVERIFY(bar && bar->isVisible());
    QStringList buttons;
    for (QAction* action : bar->actions())
        if (!action->isSeparator()) buttons << action->objectName();
    QCOMPARE(buttons.size(), 16);
    QCOMPARE(buttons.first(), QStringLiteral("NewButton"));
    QCOMPARE(buttons.last(), QStringLiteral("ASMButton"));
    for (const char* name : {"SaveButton", "CompileButton", "ASMButton", "UndoButton"})
        QVERIFY2(shown.Action(name)->isVisible(), name);
    QVERIFY(shown.Enabled("ProgramButton"));
    QVERIFY(shown.window.main.findChild<QMenu*>("Edit1")->menuAction()->isVisible());
    shown.window.Trigger("CloseAll1");
    for (const char* name : {"SaveButton", "CompileButton", "ASMButton", "UndoButton"})
        QVERIFY2(!shown.Action(name)->isVisible(), name);
    QVERIFY(shown.Action("NewButton")->isVisible());
    QVERIFY(shown.Action("OpenButton")->isVisible());
    QVERIFY(!shown.window.main.findChild<QMenu*>("Edit1")->menuAction()->isVisible());
    QVERIFY(shown.window.main.findChild<QMenu*>("Help1")->menuAction()->isVisible());
}

void MainWindowEditTest::fontDialogsSetTheEditorAndGutterFonts() {
    IdeFolder folder;
    ShownWindow shown(folder);
    QCOMPARE(shown.Pad().Font().family(), QStringLiteral("Courier New"));
    TFontChoice mono;
    mono.name = "Liberation Mono";
    mono.size = 14;
    shown.window.dialogs.QueueFont(mono);
    shown.window.Trigger("Font1");
    QCOMPARE(shown.window.dialogs.FontRequests().back().name, std::string("Courier New"));
    QCOMPARE(shown.Pad().Font().family(), QStringLiteral("Liberation Mono"));
    QCOMPARE(shown.Pad().Font().pointSize(), 14);
    TFontChoice gutter;
    gutter.name = "Liberation Sans";
    gutter.size = 9;
    gutter.bold = true;
    shown.window.dialogs.QueueFont(gutter);
    shown.window.Trigger("Linenumberfont1");
    QCOMPARE(shown.Pad().GutterFont().family(), QStringLiteral("Liberation Sans"));
    QVERIFY(shown.Pad().GutterFont().bold());
    shown.window.Trigger("Font1"); // cancelled: nothing changes
    QCOMPARE(shown.Pad().Font().pointSize(), 14);
}

void MainWindowEditTest::undoKeyRunsTheWindowsUndo() {
    IdeFolder folder;
    ShownWindow shown(folder, "abc\r\n");
    shown.Pad().setFocus();
    shown.Pad().SetSelection(3, 3);
    QTest::keyClick(&shown.Pad(), Qt::Key_D);
    QCOMPARE(shown.window.Text(), QStringLiteral("abcd\r"));
    int code = caUNDO;
    shown.Pad().OnCommandRecognised(shown.Pad(), code);
    QCOMPARE(code, -1);
    QCOMPARE(shown.window.Text(), QStringLiteral("abc\r"));
}

QTEST_MAIN(MainWindowEditTest)
#include "MainWindowEditTest.moc"

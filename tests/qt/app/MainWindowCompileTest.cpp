// The main window's Compile command and report pane: the compiler started on
// the saved document, an error result forcing the pane open, a summary in the
// status bar, and the View > REPORT Window toggle.
#include "core/app/TDocumentTabs.h"
#include "qt/app/TOpenFilesTab.h"
#include "qt/editor/TLexipad.h"
#include "support/MainWindowRig.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QtTest>

using namespace quarno;
using quarno::test::IdeFolder;

namespace {

using Window = quarno::test::MainWindowRig;

} // namespace

class MainWindowCompileTest : public QObject {
    Q_OBJECT
private slots:
    void errorResultOpensTheReportAndSummaryFillsThePanels();
    void reportToggleHidesThePaneForLaterSummaries();
    void tabRowKeepsItsHeightAboveTheEditor();
};

void MainWindowCompileTest::errorResultOpensTheReportAndSummaryFillsThePanels() {
    IdeFolder folder;
    Window window(folder);
    QVERIFY(folder.Write("prog.bas", "High PORTB.0\r\n"));
    window.dialogs.QueueFile(folder.File("prog.bas").toStdString());
    window.main.OpenButtonClick();
    QVERIFY(!window.PaneShown());
    // What the compiler leaves beside the source.
    QByteArray result("ERROR\r\nLine 1: what is this\r\nsecond\r\n");
    window.processes.OnExecute = [&](const test::TRecordingProcesses::Call&) {
        folder.Write("prog.KBR", result);
    };
    window.Trigger("CompileBASIC");
    QCOMPARE(window.processes.Calls().size(), size_t(1));
    QCOMPARE(QString::fromStdString(window.processes.Calls()[0].path),
             folder.File("QUARNO_PL.EXE"));
    QVERIFY(window.PaneShown());
    QVERIFY(window.main.findChild<QAction*>("ShowReport")->isChecked());
    QCOMPARE(window.Report(), QString("Line 1: what is this\nsecond"));
    result = "16F877,1234,56,\r\nCompiled\r\n";
    window.Trigger("CompileBASIC");
    QCOMPARE(window.main.PanelText(2), QString("DEVICE 16F877"));
    QCOMPARE(window.main.PanelText(3), QString("CODE 1234"));
    QCOMPARE(window.main.PanelText(4), QString("RAM 56"));
    QCOMPARE(window.main.Globals().DeviceName(), std::string("16F877"));
    QVERIFY(window.PaneShown()); // follows the check mark the error set
    QCOMPARE(window.Report(), QString("Compiled\n"));
}

void MainWindowCompileTest::reportToggleHidesThePaneForLaterSummaries() {
    IdeFolder folder;
    Window window(folder);
    QVERIFY(folder.Write("prog.bas", "High PORTB.0\r\n"));
    QVERIFY(folder.Write("prog.KBR", "16F84,10,2,\r\nok\r\n"));
    window.dialogs.QueueFile(folder.File("prog.bas").toStdString());
    window.main.OpenButtonClick();
    window.Trigger("ShowReport");
    QVERIFY(window.PaneShown());
    QCOMPARE(window.Report(), QString("ok\n"));
    window.Trigger("ShowReport");
    QVERIFY(!window.PaneShown());
    window.processes.OnExecute = [&](const test::TRecordingProcesses::Call&) {
        folder.Write("prog.KBR", "16F84,10,2,\r\nok\r\n");
    };
    window.Trigger("CompileBASIC");
    QVERIFY(!window.PaneShown());
    QCOMPARE(window.main.PanelText(2), QString("DEVICE 16F84"));
}

// The tab row is filled before the window is first shown; the split with the
// report pane must not leave it at the height of an empty bar.
void MainWindowCompileTest::tabRowKeepsItsHeightAboveTheEditor() {
    IdeFolder folder;
    Window window(folder);
    QVERIFY(folder.Write("prog.bas", "High PORTB.0\r\n"));
    window.dialogs.QueueFile(folder.File("prog.bas").toStdString());
    window.main.OpenButtonClick();
    window.main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window.main));
    QTabBar* tabs = window.main.OpenFilesTab();
    QTRY_VERIFY(tabs->height() >= tabs->sizeHint().height());
    QCOMPARE(window.main.Lexipad1()->y(), tabs->geometry().bottom() + 1);
}

QTEST_MAIN(MainWindowCompileTest)
#include "MainWindowCompileTest.moc"

// Report lines that lead to the source: a double-click on a line naming a
// source line, and Next error / Previous error (F8 / Shift+F8), with the
// stand-in compiler's own error lines and lines naming other files.
#include "core/app/TDocumentTabs.h"
#include "core/app/TFileObject.h"
#include "core/base/TProfileFile.h"
#include "qt/app/TReportMemo.h"
#include "support/MainWindowRig.h"

#include <QProcess>
#include <QTextBlock>
#include <QtTest>

using namespace quarno;
using quarno::test::IdeFolder;
using Window = quarno::test::MainWindowRig;

namespace {

constexpr int kRunTimeout = 60000;

const char* const kSource = "Device 16F84\r\n"
                            "High PORTB.0\r\n"
                            "Frobnicate now\r\n"
                            "Low PORTB.0\r\n"
                            "Wiggle\r\n";

TReportMemo* Memo(Window& window) {
    return static_cast<TReportMemo*>(window.main.ReportMemo());
}

std::string CurrentFile(Window& window) {
    return window.main.Documents().Current()->FileName();
}

// The real stand-in compiler runs where the window's compile starts its
// compiler (a recorded start), with the arguments the window gave it.
void RunStandInOnCompile(Window& window) {
    window.processes.OnExecute = [](const quarno::test::TRecordingProcesses::Call& call) {
        QStringList arguments;
        for (const std::string& argument : call.args)
            arguments << QString::fromStdString(argument);
        QProcess compiler;
        compiler.start(QStringLiteral(QUARNO_APP_DIR "/QUARNO_PL.EXE"), arguments);
        QVERIFY(compiler.waitForFinished(kRunTimeout));
    };
}

// Opens prog.bas and compiles it with the stand-in compiler.
void CompileWithStandIn(Window& window, const IdeFolder& folder) {
    QVERIFY(folder.Write("prog.bas", kSource));
    window.dialogs.QueueFile(folder.File("prog.bas").toStdString());
    window.main.OpenButtonClick();
    RunStandInOnCompile(window);
    window.Trigger("CompileBASIC");
}

} // namespace

class MainWindowReportLinesTest : public QObject {
    Q_OBJECT
private slots:
    void theStandInsErrorLinesLeadToTheSource();
    void aLineNamingAnotherFileOpensIt();
    void aDoubleClickFollowsTheLineUnderTheMouse();
    void aBadPatternIsReported();
};

void MainWindowReportLinesTest::theStandInsErrorLinesLeadToTheSource() {
    IdeFolder folder;
    Window window(folder);
    CompileWithStandIn(window, folder);
    QVERIFY(window.PaneShown());
    QCOMPARE(window.Report(), QString("Error(s) in prog.bas\n"
                                      "Line 3: 'Frobnicate now' is not understood\n"
                                      "Line 5: 'Wiggle' is not understood"));
    QCOMPARE(window.main.findChild<QAction*>("NextError1")->shortcut(), QKeySequence(Qt::Key_F8));
    QCOMPARE(window.main.findChild<QAction*>("PreviousError1")->shortcut(),
             QKeySequence(Qt::SHIFT | Qt::Key_F8));
    window.Trigger("NextError1");
    QCOMPARE(Memo(window)->MarkedLine(), 1);
    QCOMPARE(window.main.Lexipad1()->CaretLine(), 3);
    QCOMPARE(window.main.Lexipad1()->CaretColumn(), 1);
    window.Trigger("NextError1");
    QCOMPARE(window.main.Lexipad1()->CaretLine(), 5);
    window.Trigger("NextError1"); // round the end
    QCOMPARE(window.main.Lexipad1()->CaretLine(), 3);
    window.Trigger("PreviousError1");
    QCOMPARE(Memo(window)->MarkedLine(), 2);
    QCOMPARE(window.main.Lexipad1()->CaretLine(), 5);
    QCOMPARE(window.main.Documents().DocumentCount(), 1);
    QVERIFY(window.prompts.Boxes().empty());
}

void MainWindowReportLinesTest::aLineNamingAnotherFileOpensIt() {
    IdeFolder folder;
    Window window(folder);
    QVERIFY(folder.Write("prog.bas", "a\r\nb\r\n"));
    QVERIFY(folder.Write("lcd.inc", "one\r\ntwo\r\nthree\r\n"));
    window.dialogs.QueueFile(folder.File("prog.bas").toStdString());
    window.main.OpenButtonClick();
    window.processes.OnExecute = [&folder](const quarno::test::TRecordingProcesses::Call&) {
        folder.Write("prog.KBR", "ERROR\r\nErrors\r\nLCD.INC(3,2): bad\r\nok\r\n");
    };
    window.Trigger("CompileBASIC");
    window.Trigger("NextError1");
    QCOMPARE(CurrentFile(window), folder.File("lcd.inc").toStdString());
    QCOMPARE(window.main.Documents().DocumentCount(), 2);
    QCOMPARE(window.main.Lexipad1()->CaretLine(), 3);
    QCOMPARE(window.main.Lexipad1()->CaretColumn(), 2);
    QCOMPARE(Memo(window)->MarkedLine(), 1);
    // With the pane closed nothing is followed; a report without locations says so.
    window.Trigger("ShowReport");
    QVERIFY(!window.PaneShown());
    window.Trigger("PreviousError1");
    QCOMPARE(window.main.Documents().DocumentCount(), 2);
    window.Trigger("ShowReport");
    window.processes.OnExecute = [&folder](const quarno::test::TRecordingProcesses::Call&) {
        folder.Write("prog.KBR", "16F84,2,0,\r\nfine\r\n");
    };
    window.main.Documents().SelectOpenDocument(folder.File("prog.bas").toStdString());
    window.Trigger("CompileBASIC");
    window.Trigger("NextError1");
    QCOMPARE(window.main.PanelText(5).trimmed(), QString("No report line names a source line"));
}

void MainWindowReportLinesTest::aDoubleClickFollowsTheLineUnderTheMouse() {
    IdeFolder folder;
    Window window(folder);
    window.main.show(); // its first activation opens a new document
    QVERIFY(QTest::qWaitForWindowExposed(&window.main));
    QTRY_COMPARE(window.main.Documents().DocumentCount(), 1);
    CompileWithStandIn(window, folder);
    TReportMemo* memo = Memo(window);
    QTextBlock block = memo->document()->findBlockByNumber(2);
    QPoint at = memo->cursorRect(QTextCursor(block)).center();
    QTest::mouseDClick(memo->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(memo->MarkedLine(), 2);
    QCOMPARE(window.main.Lexipad1()->CaretLine(), 5);
    // A line naming nothing leaves the caret where it is.
    QTest::mouseDClick(memo->viewport(), Qt::LeftButton, {},
                       memo->cursorRect(QTextCursor(memo->document()->firstBlock())).center());
    QCOMPARE(window.main.Lexipad1()->CaretLine(), 5);
}

void MainWindowReportLinesTest::aBadPatternIsReported() {
    IdeFolder folder;
    Window window(folder);
    TProfileFile(folder.File("INC/KBX.INI").toStdString())
        .WriteString("REPORT", "LINE_PATTERN", "(?<line>\\d+");
    CompileWithStandIn(window, folder);
    window.Trigger("NextError1");
    QCOMPARE(window.prompts.Boxes().size(), size_t(1));
    QVERIFY(window.prompts.Boxes()[0].text.rfind("The report line pattern is not valid", 0) == 0);
    // The user's own pattern counts at once.
    TProfileFile(folder.File("INC/KBX.INI").toStdString())
        .WriteString("REPORT", "LINE_PATTERN", "'(?<line>W)");
    window.Trigger("NextError1"); // a line group that is no number names no line
    QCOMPARE(window.prompts.Boxes().size(), size_t(1));
    QCOMPARE(window.main.PanelText(5).trimmed(), QString("No report line names a source line"));
    TProfileFile(folder.File("INC/KBX.INI").toStdString())
        .WriteString("REPORT", "LINE_PATTERN", "^Line (?<line>[0-9]+): 'W");
    window.Trigger("NextError1");
    QCOMPARE(window.main.Lexipad1()->CaretLine(), 5);
}

QTEST_MAIN(MainWindowReportLinesTest)
#include "MainWindowReportLinesTest.moc"

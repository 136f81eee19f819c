// What an unlucky user meets in the main window: a compile that fails must
// not look like a success, Save As onto a file another tab shows, a start-up
// file that cannot be opened, and long print jobs that can be stopped.
#include "core/app/TDocumentTabs.h"
#include "core/editor/ITextMetrics.h"
#include "core/print/TPageFrame.h"
#include "core/print/TPrintPaginator.h"
#include "qt/app/TEditorMainForm.h"
#include "qt/app/TParserRepository.h"
#include "qt/base/TQtRegistry.h"
#include "qt/editor/TLexipad.h"
#include "qt/editor/TLexipadMetrics.h"
#include "qt/print/TLexipadPrinter.h"
#include "qt/print/TPreviewPrinter.h"
#include "qt/print/TTulloMetaFileCanvas.h"
#include "support/MainWindowRig.h"

#include <cmath>

#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QtTest>

using namespace quarno;
using quarno::test::IdeFolder;
using Window = quarno::test::MainWindowRig;

class MainWindowFaultsTest : public QObject {
    Q_OBJECT
private slots:
    void compilerThatCannotStartIsReportedAndShowsNoEarlierBuild();
    void compileWithoutAResultSaysSoInTheReport();
    void saveAsOntoAnOpenFileClosesTheOtherTab();
    void unopenableStartupFileLeavesAnUntitledDocument();
    void printingCanBeStoppedFromItsProgress();
    void longDocumentPreviewRecordsOnlyThePagesShown();
};

namespace {

// A recorded page at a tenth of its device size.
// Pages the core paginator lays out with fixed metrics (the printed font's
// cell) in the text area the core page frame leaves in rect.
int CorePages(const TLexipad& pad, const QRect& rect, int resolutionY) {
    QFont font = pad.Font();
    font.setPixelSize(static_cast<int>(std::lround(font.pointSizeF() * resolutionY / 72)));
    TLexipadMetrics printed;
    printed.SetFont(font);
    TFixedMetrics metrics(printed.CharWidth(), printed.LineHeight());
    TPrintRect area{rect.left(), rect.top(), rect.left() + rect.width(),
                    rect.top() + rect.height()};
    TPageFrame frame =
        MakePageFrame(area, metrics.LineHeight(), pad.Options(), pad.PrintTitle(), "", 1);
    TPrintPaginator paginator(pad, metrics, TPrintPaginator::WholeDocument(pad));
    int pages = 0;
    do {
        paginator.NextPage(frame.body.Width(), frame.body.Height());
        ++pages;
    } while (!paginator.Finished() && pages < 100000);
    return pages;
}

QImage Render(const QPicture& page, const TDeviceMetrics& metrics) {
    QImage image(metrics.physicalWidth / 10, metrics.physicalHeight / 10, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(0.1, 0.1);
    painter.drawPicture(0, 0, page);
    return image;
}

void WriteEarlierBuild(const IdeFolder& folder) {
    folder.Write("prog.KBR", "16F877,120,9,\r\nok\r\n");
    folder.Write("prog.HEX", ":020000000A28CC\r\n:00000001FF\r\n");
    folder.Write("prog.ASM", "; an earlier build\r\n");
}

} // namespace

// The compiler is missing: its path and why are reported, and the panels and
// report show nothing of the earlier build (its files are gone).
void MainWindowFaultsTest::compilerThatCannotStartIsReportedAndShowsNoEarlierBuild() {
    IdeFolder folder;
    Window window(folder);
    window.OpenSource(folder);
    WriteEarlierBuild(folder);
    window.processes.QueueWaitResult(false);
    window.Trigger("CompileBASIC");
    std::string compiler = folder.File("QUARNO_PL.EXE").toStdString();
    QCOMPARE(window.PromptTexts(), (std::vector<std::string>{"Problem Running " + compiler +
                                                             ": the file does not exist"}));
    QCOMPARE(window.main.PanelText(2), QString());
    QCOMPARE(window.main.PanelText(3), QString());
    QVERIFY(window.PaneShown());
    QVERIFY(window.Report().startsWith(QStringLiteral("Problem Running ")));
    QVERIFY(!QFile::exists(folder.File("prog.HEX")));
    window.Trigger("ProgramPIC"); // nothing of the earlier build is sent
    QCOMPARE(window.processes.Calls().back().args.at(0), folder.File("prog.HEX").toStdString());
    QVERIFY(!QFile::exists(QString::fromStdString(window.processes.Calls().back().args.at(0))));
}

void MainWindowFaultsTest::compileWithoutAResultSaysSoInTheReport() {
    IdeFolder folder;
    Window window(folder);
    window.OpenSource(folder);
    WriteEarlierBuild(folder);
    window.Trigger("CompileBASIC"); // the double "runs" it and writes nothing
    QVERIFY(window.PromptTexts().empty());
    QVERIFY(window.PaneShown());
    QCOMPARE(window.Report(), QStringLiteral("The compiler produced no result"));
    QCOMPARE(window.main.PanelText(2), QString());
    // A compiler that writes its result is shown as before.
    window.processes.OnExecute = [&](const test::TRecordingProcesses::Call&) {
        folder.Write("prog.KBR", "16F84,1,0,\r\nok\r\n");
    };
    window.Trigger("CompileBASIC");
    QCOMPARE(window.main.PanelText(2), QStringLiteral("DEVICE 16F84"));
}

void MainWindowFaultsTest::saveAsOntoAnOpenFileClosesTheOtherTab() {
    IdeFolder folder;
    Window window(folder);
    folder.Write("a.bas", "PRINT A\r\n");
    folder.Write("b.bas", "PRINT B\r\n");
    std::string a = folder.File("a.bas").toStdString();
    window.dialogs.QueueFile(a);
    window.main.OpenButtonClick();
    window.dialogs.QueueFile(folder.File("b.bas").toStdString());
    window.main.OpenButtonClick();
    window.dialogs.QueueFile(a);
    window.prompts.QueueAnswer(TPromptButton::Yes);
    window.Trigger("SaveAs1");
    QCOMPARE(window.main.Documents().DocumentCount(), 1);
    QCOMPARE(window.main.Documents().Current()->FileName(), a);
    QFile saved(QString::fromStdString(a));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray("PRINT B\r\n"));
}

void MainWindowFaultsTest::unopenableStartupFileLeavesAnUntitledDocument() {
    IdeFolder folder;
    test::TScriptedPrompts prompts;
    test::TScriptedFileDialogs dialogs;
    test::TRecordingProcesses processes;
    test::TRecordingDesktop desktop;
    TParserRepository repository;
    TQtRegistry registry(folder.File("registry.ini"));
    TEditorMainForm main(TAppSeams(prompts, dialogs, processes, desktop),
                         folder.Executable().toStdString(),
                         folder.File("missing.bas").toStdString());
    main.SetParserRepository(&repository, &registry);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QTRY_COMPARE(main.Documents().DocumentCount(), 1);
    QCOMPARE(main.Documents().Current()->FileName(), std::string("No_name.bas"));
    QCOMPARE(prompts.Boxes().size(), size_t(1)); // the load error was shown
}

void MainWindowFaultsTest::printingCanBeStoppedFromItsProgress() {
    IdeFolder folder;
    Window window(folder);
    std::string text;
    for (int line = 0; line < 400; ++line)
        text += "    High PORTB.0\r\n";
    folder.Write("long.bas", QByteArray::fromStdString(text));
    window.dialogs.QueueFile(folder.File("long.bas").toStdString());
    window.main.OpenButtonClick();
    QPrinter& printer = *window.main.Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.File("long.pdf"));
    window.progress.StopAt(2);
    window.Trigger("Print1");
    QCOMPARE(window.progress.texts, (std::vector<std::string>{"Printing..."}));
    QCOMPARE(window.progress.steps, (std::vector<int>{1, 2}));
    QCOMPARE(window.progress.ends, 1);
    QVERIFY(window.prompts.Boxes().empty()); // stopped, not failed
    window.progress.StopAt(0);
    window.Trigger("Print1");
    QVERIFY(window.progress.steps.size() > 4);
    QVERIFY(window.prompts.Boxes().empty());
}

// A long document's preview is laid out at once and drawn a page at a time;
// a page drawn late looks as it would have looked drawn in sequence.
void MainWindowFaultsTest::longDocumentPreviewRecordsOnlyThePagesShown() {
    TLexipad pad;
    pad.SetOptions(pad.Options() & ~static_cast<uint32_t>(smoPrintDate));
    std::string text;
    for (int line = 0; line < 20000; ++line)
        text += "GoSub Read_Sensor ' line " + std::to_string(line) + "\r";
    pad.SetText(text);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    TPreviewPrinter preview(&printer);
    preview.PrintMemo(pad);
    const int pages = preview.PageCount();
    const TDeviceMetrics& m = preview.Metrics();
    TTextOptions& margins = preview.TextOptions();
    QRect rect(qRound(m.resolutionX * margins.MarginLeft),
               qRound(m.resolutionY * margins.MarginTop),
               m.physicalWidth - qRound(m.resolutionX * margins.MarginRight) -
                   qRound(m.resolutionX * margins.MarginLeft),
               m.physicalHeight - qRound(m.resolutionY * margins.MarginBottom) -
                   qRound(m.resolutionY * margins.MarginTop));
    QCOMPARE(pages, CorePages(pad, rect, m.resolutionY));
    QVERIFY(pages > 100);
    QCOMPARE(preview.RecordedPageCount(), 0);
    QImage late = Render(preview.Pages(pages - 2), preview.Metrics());
    QCOMPARE(preview.RecordedPageCount(), 1);

    QPicture sequential;
    {
        TTulloMetaFileCanvas canvas(sequential, m.resolutionX, m.resolutionY);
        TLexipadPrinter pagePrinter(pad);
        QVERIFY(pagePrinter.PrintPage(canvas, rect, pages - 1));
    }
    QCOMPARE(late, Render(sequential, m));
}

QTEST_MAIN(MainWindowFaultsTest)
#include "MainWindowFaultsTest.moc"

// The main window's print commands: the File menu entries in their place, the
// page set-up through the dialog seam reaching the printer, and the preview
// paginating the document.
#include "core/app/TDocumentTabs.h"
#include "qt/editor/TLexipad.h"
#include "qt/print/PrintCommands.h"
#include "qt/print/TPreviewPrinter.h"
#include "support/MainWindowRig.h"

#include <QAction>
#include <QMenu>
#include <QPrinter>
#include <QtTest>

using namespace quarno;
using quarno::test::IdeFolder;

namespace {

using Window = quarno::test::MainWindowRig;

TPageSetup Margins(int left, int top, int right, int bottom, bool portrait) {
    TPageSetup setup;
    setup.left = left;
    setup.top = top;
    setup.right = right;
    setup.bottom = bottom;
    setup.portrait = portrait;
    return setup;
}

} // namespace

class MainWindowPrintTest : public QObject {
    Q_OBJECT
private slots:
    void printEntriesSitBeforeExit();
    void pageSetupReachesThePrinter();
    void chosenPaperSurvivesIntoPrinting();
    void printWithoutAPrinterSaysSo();
};

void MainWindowPrintTest::printEntriesSitBeforeExit() {
    IdeFolder folder;
    Window window(folder);
    QStringList names;
    for (QAction* action : window.main.findChild<QMenu*>("File1")->actions())
        if (!action->isSeparator()) names << action->objectName();
    QStringList tail = names.mid(names.size() - 4);
    QCOMPARE(tail, QStringList({"Print1", "PrintSetup1", "PrintPreview1", "Exit1"}));
}

void MainWindowPrintTest::pageSetupReachesThePrinter() {
    IdeFolder folder;
    Window window(folder);
    window.dialogs.QueuePageSetup(Margins(500, 600, 700, 800, false));
    window.Trigger("PrintSetup1");
    QCOMPARE(window.main.PageSetup().marginLeft, 500);
    QCOMPARE(window.main.PageSetup().marginBottom, 800);
    QCOMPARE(window.main.PageSetup().orientation, poLandscape);
    QCOMPARE(window.main.Printer()->pageLayout().orientation(), QPageLayout::Landscape);
    window.Trigger("PrintSetup1"); // cancelled: nothing changes
    QCOMPARE(window.dialogs.PageSetupRequests().back().left, 500);
    QCOMPARE(window.main.PageSetup().marginTop, 600);
}

// The sheet chosen in the page set-up is the one Print lays out on.
void MainWindowPrintTest::chosenPaperSurvivesIntoPrinting() {
    IdeFolder folder;
    Window window(folder);
    TPageSetup legal = Margins(1000, 1000, 1000, 1000, true);
    legal.paperWidth = 8500;
    legal.paperHeight = 14000;
    window.dialogs.QueuePageSetup(legal);
    window.Trigger("PrintSetup1");
    QPrinter& printer = *window.main.Printer();
    QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::Legal);
    QRect rect = PrintRectFromSetup(printer, window.main.PageSetup());
    QCOMPARE(rect.height(), qRound(12.0 * printer.resolution()));
    window.Trigger("PrintSetup1"); // the dialog starts from the chosen sheet
    QCOMPARE(window.dialogs.PageSetupRequests().back().paperHeight, 14000);
}

void MainWindowPrintTest::printWithoutAPrinterSaysSo() {
    IdeFolder folder;
    Window window(folder);
    window.OpenSource(folder);
    QPrinter& printer = *window.main.Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.File("missing-folder/out.pdf")); // cannot be written
    window.Trigger("Print1");
    QCOMPARE(window.prompts.Boxes().size(), size_t(1));
    QCOMPARE(window.prompts.Boxes()[0].text,
             std::string("The document could not be printed: the printer could not be opened."));
    printer.setOutputFileName(folder.File("out.pdf"));
    window.Trigger("Print1");
    QCOMPARE(window.prompts.Boxes().size(), size_t(1));
    QVERIFY(QFile::exists(folder.File("out.pdf")));
}

QTEST_MAIN(MainWindowPrintTest)
#include "MainWindowPrintTest.moc"

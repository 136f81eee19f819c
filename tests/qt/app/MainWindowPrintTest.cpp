// The main window's print commands: the File menu entries in their place, the
// page set-up through the dialog seam reaching the printer, and the preview
// paginating the document.
#include "core/app/TDocumentTabs.h"
#include "qt/editor/TLexipad.h"
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

} // namespace

class MainWindowPrintTest : public QObject {
    Q_OBJECT
private slots:
    void printEntriesSitBeforeExit();
    void pageSetupReachesThePrinter();
};

void MainWindowPrintTest::printEntriesSitBeforeExit() {
    IdeFolder folder;
    Window window(folder);
    QStringList names;
    for (QAction* action : window.main.findChild<QMenu*>("FileMenu")->actions())
        if (!action->isSeparator()) names << action->objectName();
    QStringList tail = names.mid(names.size() - 4);
    QCOMPARE(tail, QStringList({"Print1", "PrintSetup1", "PrintPreview1", "Exit1"}));
}

void MainWindowPrintTest::pageSetupReachesThePrinter() {
    IdeFolder folder;
    Window window(folder);
    window.dialogs.QueuePageSetup(TPageSetup{500, 600, 700, 800, false});
    window.Trigger("PrintSetup1");
    QCOMPARE(window.main.PageSetup().marginLeft, 500);
    QCOMPARE(window.main.PageSetup().marginBottom, 800);
    QCOMPARE(window.main.PageSetup().orientation, poLandscape);
    QCOMPARE(window.main.Printer()->pageLayout().orientation(), QPageLayout::Landscape);
    window.Trigger("PrintSetup1"); // cancelled: nothing changes
    QCOMPARE(window.dialogs.PageSetupRequests().back().left, 500);
    QCOMPARE(window.main.PageSetup().marginTop, 600);
}

QTEST_MAIN(MainWindowPrintTest)
#include "MainWindowPrintTest.moc"

// The main window's documents: files opened through the Open dialog in tabs,
// switching tabs, the status bar and File menu, and closing the window with
// modified documents.
#include "core/app/TDocumentTabs.h"
#include "qt/app/TOpenFilesTab.h"
#include "qt/editor/TLexipad.h"
#include "support/MainWindowRig.h"

#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QtTest>

using namespace quarno;
using quarno::test::IdeFolder;

namespace {

using Window = quarno::test::MainWindowRig;

std::string Modified(const QString& path) {
    return "File \"" + path.toStdString() + "\" has been modified\r\nSave changes ?";
}

} // namespace

class MainWindowDocumentsTest : public QObject {
    Q_OBJECT
private slots:
    void statusBarAndFileMenuAreLaidOut();
    void openSwitchEditAndCloseTheWindow();
    void closingTheLastDocumentHidesTheEditArea();
};

void MainWindowDocumentsTest::statusBarAndFileMenuAreLaidOut() {
    IdeFolder folder;
    Window window(folder);
    QStatusBar* bar = window.main.findChild<QStatusBar*>("StatusBar1");
    QVERIFY(bar);
    QCOMPARE(bar->font().family(), QString("Tahoma"));
    QVERIFY(bar->font().bold());
    const int widths[] = {90, 100, 110, 100, 90};
    for (int panel = 0; panel < 6; ++panel) {
        QLabel* label = bar->findChild<QLabel*>(QString("StatusPanel%1").arg(panel));
        QVERIFY(label);
        if (panel < 5) {
            QCOMPARE(label->minimumWidth(), widths[panel]);
            QCOMPARE(label->maximumWidth(), widths[panel]);
            QVERIFY(label->alignment() & Qt::AlignHCenter);
        } else {
            QVERIFY(label->alignment() & Qt::AlignLeft);
        }
    }
    const std::pair<const char*, QKeySequence> keys[] = {
        {"Open1", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"Save1", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"SaveAs1", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S)},
        {"Close1", QKeySequence()}, // the pop-ups' Close page carries Ctrl+F4
        {"Closepage1", QKeySequence(Qt::CTRL | Qt::Key_F4)},
    };
    for (const auto& [name, sequence] : keys) {
        QAction* action = window.main.findChild<QAction*>(name);
        QVERIFY2(action, name);
        QCOMPARE(action->shortcut(), sequence);
    }
    for (const char* name : {"New1", "CloseAll1", "Exit1", "ReOpenFile", "Closepage2"})
        QVERIFY2(window.main.findChild<QAction*>(name), name);
}

void MainWindowDocumentsTest::openSwitchEditAndCloseTheWindow() {
    IdeFolder folder;
    QVERIFY(folder.Write("a.bas", "PRINT A\r\n"));
    QVERIFY(folder.Write("b.bas", "PRINT B\r\n"));
    QString a = folder.File("a.bas");
    QString b = folder.File("b.bas");
    Window window(folder);
    TOpenFilesTab* tabs = window.main.OpenFilesTab();
    window.main.show();
    // The first activation starts an untitled document.
    QTRY_COMPARE(tabs->count(), 1);
    QCOMPARE(tabs->tabText(0), QString("No_name.bas"));

    window.dialogs.QueueFile(a.toStdString());
    window.Trigger("Open1");
    window.dialogs.QueueFile(b.toStdString());
    window.Trigger("Open1");
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QString("a.bas"));
    QCOMPARE(tabs->tabText(1), QString("b.bas"));
    QCOMPARE(tabs->currentIndex(), 1);
    QCOMPARE(window.main.windowTitle(), b);
    QCOMPARE(window.Text(), QString("PRINT B\r"));
    QCOMPARE(window.main.PanelText(0), QString("     1:   1"));
    QCOMPARE(window.main.PanelText(5), QString(" Insert"));

    QTest::keyClicks(window.main.Lexipad1(), "X");
    QCOMPARE(window.Text(), QString("XPRINT B\r"));
    QCOMPARE(window.main.PanelText(1), QString("Modified"));
    QCOMPARE(window.main.PanelText(0), QString("     1:   2"));

    tabs->setCurrentIndex(0); // as a click does
    QCOMPARE(window.Text(), QString("PRINT A\r"));
    QCOMPARE(window.main.windowTitle(), a);
    QCOMPARE(window.main.PanelText(1), QString());
    tabs->setCurrentIndex(1);
    QCOMPARE(window.Text(), QString("XPRINT B\r"));
    QCOMPARE(window.main.PanelText(1), QString("Modified"));
    QCOMPARE(window.main.Lexipad1()->CaretPos(), 1);

    // a is not modified and goes without a question; Cancel at b keeps it.
    window.prompts.QueueAnswer(TPromptButton::Cancel);
    QVERIFY(!window.main.close());
    QCOMPARE(window.PromptTexts(), std::vector<std::string>{Modified(b)});
    QCOMPARE(tabs->count(), 1);
    QCOMPARE(tabs->tabText(0), QString("b.bas"));
    QCOMPARE(window.Text(), QString("XPRINT B\r"));
    QVERIFY(!QFile::exists(folder.File("registry.ini")));

    window.prompts.QueueAnswer(TPromptButton::Yes);
    QVERIFY(window.main.close());
    QCOMPARE(tabs->count(), 0);
    QFile saved(b);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray("XPRINT B\r\n"));
    QFile backup(folder.File("b.BAK"));
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QCOMPARE(backup.readAll(), QByteArray("PRINT B\r\n"));
    QVERIFY(QFile::exists(folder.File("registry.ini"))); // the parser settings were saved
    QCOMPARE(window.main.RecentFiles(), std::vector<std::string>{});
    QCOMPARE(window.main.Persistent()->ReadRecentFiles(),
             (std::vector<std::string>{b.toStdString(), a.toStdString()}));
}

void MainWindowDocumentsTest::closingTheLastDocumentHidesTheEditArea() {
    IdeFolder folder;
    Window window(folder);
    window.main.show();
    QTRY_COMPARE(window.main.OpenFilesTab()->count(), 1);
    QVERIFY(window.main.Lexipad1()->isVisibleTo(&window.main));
    QVERIFY(window.main.findChild<QAction*>("Save1")->isVisible());
    window.Trigger("Close1");
    QCOMPARE(window.main.OpenFilesTab()->count(), 0);
    QVERIFY(!window.main.Lexipad1()->isVisibleTo(&window.main));
    QVERIFY(!window.main.findChild<QAction*>("Save1")->isVisible());
    QCOMPARE(window.main.windowTitle(), QString("QUARNO+ Compiler"));
    QVERIFY(window.prompts.Boxes().empty());

    window.Trigger("New1");
    QCOMPARE(window.main.OpenFilesTab()->count(), 1);
    QVERIFY(window.main.Lexipad1()->isVisibleTo(&window.main));
    QCOMPARE(window.main.windowTitle(), QString("No_name.bas"));
}

QTEST_MAIN(MainWindowDocumentsTest)
#include "MainWindowDocumentsTest.moc"
